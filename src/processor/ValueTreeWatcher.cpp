#include "processor/ValueTreeWatcher.h"

namespace velk
{
ValueTreeWatcher::ValueTreeWatcher (juce::ValueTree& treeToWatch, std::function<void()> onChange)
    : tree (treeToWatch), changed (std::move (onChange))
{
    tree.addListener (this);
}

ValueTreeWatcher::~ValueTreeWatcher()
{
    tree.removeListener (this);
}

void ValueTreeWatcher::valueTreePropertyChanged (juce::ValueTree&, const juce::Identifier&)
{
    changed();
}
void ValueTreeWatcher::valueTreeChildAdded (juce::ValueTree&, juce::ValueTree&)
{
    changed();
}
void ValueTreeWatcher::valueTreeChildRemoved (juce::ValueTree&, juce::ValueTree&, int)
{
    changed();
}
void ValueTreeWatcher::valueTreeChildOrderChanged (juce::ValueTree&, int, int)
{
    changed();
}
void ValueTreeWatcher::valueTreeRedirected (juce::ValueTree&)
{
    changed();
}
} // namespace velk
