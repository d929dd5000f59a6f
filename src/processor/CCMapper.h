#pragma once

#include "processor/CCMapSnapshot.h"
#include "processor/MidiBlockSummary.h"

#include <array>
#include <atomic>
#include <memory>
#include <vector>

namespace velk
{
/** The MIDI CC map: a value tree with one child per mapped parameter, whose type is the
    parameter's identifier and whose "cc" property is the controller number.

    The tree is edited and read only through the calls below, which take turns on the map's own
    lock, so that MIDI learn on the message thread and a state save or restore on the host's
    thread never meet. The audio thread never touches the tree or the lock: once parameters are
    given with useParameters(), every change publishes a fresh CCMapSnapshot, which the audio
    thread reads through readRoutes().
*/
class CCMapper
{
public:
    /** The type of the map tree and the tag of the map element in chunks and files. */
    static const juce::Identifier midiMapTag;

    /** The property of a map child that holds its controller number. */
    static const juce::Identifier ccValueProperty;

    /** The extension of MIDI-map files, without the dot. */
    static constexpr const char* mapFileExtension = "vtcc";

    //==============================================================================
    /** Starts with an empty map and no controller received. */
    CCMapper();
    ~CCMapper();

    //==============================================================================
    // Any thread but the audio thread.

    /** MIDI learn: the parameter's child, made when there is none, takes the controller number. */
    void assignController (const juce::String& parameterId, int controller);

    /** Removes the parameter's child, when there is one. */
    void removeAssignment (const juce::String& parameterId);

    /** Removes every child, the last first. */
    void clearMap();

    /** A copy of the map, to read. */
    juce::ValueTree getMap() const;

    /** The map as an XML element, for the state chunk. */
    std::unique_ptr<juce::XmlElement> createMapXml() const;

    /** Replaces the map with the tree made from this element when its tag is the map tag in any
        letter case, and returns true; anything else leaves the map as it is. The contents are not
        checked: children that name no parameter are kept (and never applied).
    */
    bool loadMapFromXml (const juce::XmlElement& xml);

    /** Writes the map as a MIDI-map file (UTF-8, CR LF, no DTD) through a temporary file.
        A file that could not be written fails, saying why in plain words for the user; an
        existing file then stays as it was.
    */
    juce::Result writeMapFile (const juce::File& file) const;

    /** Loads a MIDI-map file through loadMapFromXml(); a file that does not parse, is too large
        to be a map (XmlReader::maxFileSize) or holds no map changes nothing and fails, saying
        why in plain words for the user.
    */
    juce::Result loadMapFile (const juce::File& file);

    //==============================================================================
    /** Resolves the map's parameter identifiers in this store from now on and publishes the
        first snapshot. Call once, after every parameter has been created; the store must outlive
        this object.
    */
    void useParameters (const juce::AudioProcessorValueTreeState& parameters);

    /** Audio thread: notes the block's last controller number in lastReceivedCC and sets every
        parameter mapped to one of the block's controllers to the controller's last value / 127,
        controllers in ascending order, each change in a gesture and announced to the host.
    */
    void apply (const MidiBlockSummary& block) noexcept;

    /** Audio thread, when a program change arrives: from now on apply() also keeps the latest
        value of every controller, until reapplyHeldControllers() puts them back over the
        program change's preset. What an earlier program change kept is forgotten.
    */
    void holdControllersForPresetLoad() noexcept;

    /** Message thread, once a program change's preset is in place: sets the mapped parameters
        to the latest value of every controller kept since the last program change, as apply()
        does, and stops keeping them. Does nothing when no program change came since the last
        call. With keepHolding, the values and the holding stay: a later program change, whose
        preset is yet to come, must also lose to them.
    */
    void reapplyHeldControllers (bool keepHolding = false);

    /** Any thread, the audio thread too: calls fn with the latest published snapshot (an empty
        one before useParameters()). Never blocks or allocates. fn may call the host: a thread that
        replaces the map never waits for it, and the snapshot fn reads stays until no call is
        inside fn any more.
    */
    template <typename Function>
    void readRoutes (Function&& fn) const noexcept
    {
        activeReaders.fetch_add (1);
        fn (*routes.load());
        activeReaders.fetch_sub (1);
    }

    //==============================================================================
    /** The controller number (0 to 127) of the last controller message the audio thread saw,
        -1 until one arrives. Written by the audio thread, read by MIDI learn.
    */
    std::atomic<int> lastReceivedCC{ -1 };

private:
    //==============================================================================
    using ControllerValues = std::array<int, MidiBlockSummary::numControllers>;

    /** With the map's lock held. */
    void publishRoutes();

    /** Sets the parameters of every controller with a value, in ascending controller order. */
    void moveMappedParameters (const ControllerValues& values) const noexcept;

    //==============================================================================
    juce::ValueTree midiMap{ midiMapTag };
    juce::CriticalSection mapLock;
    const juce::AudioProcessorValueTreeState* parameterStore = nullptr;
    std::atomic<const CCMapSnapshot*> routes;
    std::vector<std::unique_ptr<const CCMapSnapshot>> retiredRoutes; // with the map's lock held
    mutable std::atomic<int> activeReaders{ 0 };
    std::array<std::atomic<int>, MidiBlockSummary::numControllers> heldValues;
    std::atomic<bool> holdingControllers{ false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CCMapper)
};
} // namespace velk
