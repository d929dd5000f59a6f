#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <functional>

namespace velk
{
/** Calls one function whenever a value tree or anything inside it changes, on the thread that
    made the change, including when the tree object is pointed at another tree.
*/
class ValueTreeWatcher : private juce::ValueTree::Listener
{
public:
    ValueTreeWatcher (juce::ValueTree& treeToWatch, std::function<void()> onChange);
    ~ValueTreeWatcher() override;

private:
    void valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&) override;
    void valueTreeChildAdded (juce::ValueTree&, juce::ValueTree&) override;
    void valueTreeChildRemoved (juce::ValueTree&, juce::ValueTree&, int) override;
    void valueTreeChildOrderChanged (juce::ValueTree&, int, int) override;
    void valueTreeRedirected (juce::ValueTree&) override;

    juce::ValueTree& tree;
    std::function<void()> changed;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ValueTreeWatcher)
};
} // namespace velk
