#pragma once

#include "editor/EditorFixture.h"
#include "editor/controls/MIDITarget.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <stdexcept>

/** Finding the editor's controls as a user would: by place, by parameter or by kind. */
namespace tavelin::test
{
/** An editor at the layout's own size, whatever scale an earlier test left in the preferences. */
class EditorAtBaseScale : public EditorFixture
{
protected:
    EditorAtBaseScale() { processor->getPreferences().uiScaleFactor = 1.0f; }
};

/** The editor's own child that a click at a point of the base layout (at scale 1.0) reaches. */
inline juce::Component* childAt (juce::Component& editor, juce::Point<int> point)
{
    editor.setVisible (true); // as the host shows it; a hidden component takes no clicks
    auto* hit = editor.getComponentAt (point);

    while (hit != nullptr && hit->getParentComponent() != &editor)
        hit = hit->getParentComponent();

    return hit;
}

inline juce::String learnableID (juce::Component* component)
{
    auto* target = dynamic_cast<velk::MIDITarget*> (component);
    return target != nullptr ? target->parameterID : juce::String();
}

template <typename ControlType>
ControlType& control (juce::Component& editor, const juce::String& parameterID)
{
    for (auto* child : editor.getChildren())
        if (auto* found = dynamic_cast<ControlType*> (child); found != nullptr && learnableID (child) == parameterID)
            return *found;

    throw std::runtime_error ("no control for " + parameterID.toStdString());
}

template <typename ComponentType>
juce::Array<ComponentType*> childrenOfType (juce::Component& editor)
{
    juce::Array<ComponentType*> found;

    for (auto* child : editor.getChildren())
        if (auto* typed = dynamic_cast<ComponentType*> (child))
            found.add (typed);

    return found;
}

/** The parent's own text button that shows this text; nullptr when there is none. */
inline juce::Button* buttonNamed (juce::Component& parent, const juce::String& text)
{
    for (auto* button : childrenOfType<juce::TextButton> (parent))
        if (button->getButtonText() == text)
            return button;

    return nullptr;
}

/** The first component of that type inside the parent, at any depth. */
template <typename ComponentType>
ComponentType* descendantOfType (juce::Component& parent)
{
    for (auto* child : parent.getChildren())
    {
        if (auto* found = dynamic_cast<ComponentType*> (child))
            return found;

        if (auto* found = descendantOfType<ComponentType> (*child))
            return found;
    }

    return nullptr;
}
} // namespace tavelin::test
