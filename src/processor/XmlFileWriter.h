#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** Writes the plug-in's XML files (presets and MIDI maps) in one format: an XML declaration
    naming UTF-8, CR LF line ends, the framework's indentation and line wrapping.
*/
class XmlFileWriter
{
public:
    /** Writes the document to a temporary file beside the target, which then replaces the target
        in one rename; a failed write leaves any existing file as it was. The temporary file is
        hidden and ends in ".saving", so no listing of presets or maps shows it, also when a crash
        leaves it behind; any name the folder accepts for the target fits in it. The DTD text,
        when not empty, gets a line of its own after the declaration.

        A failure says why in plain words for the user, e.g. "its folder is read-only" (no path,
        a folder in its place, a missing or read-only folder, a full disk, a name too long).
    */
    static juce::Result write (const juce::XmlElement& xml, const juce::File& file, const juce::String& dtd);
};
} // namespace velk
