#include "processor/XmlFileWriter.h"

namespace velk
{
namespace
{
    constexpr const char* temporaryFileSuffix = ".saving";

    juce::MemoryBlock formatDocument (const juce::XmlElement& xml, const juce::String& dtd)
    {
        juce::XmlElement::TextFormat format;
        format.dtd = dtd;
        format.customEncoding = "UTF-8";
        format.newLineChars = "\r\n";

        juce::MemoryOutputStream text;
        xml.writeTo (text, format);
        return text.getMemoryBlock();
    }

    bool writeWhole (const juce::MemoryBlock& data, const juce::File& file)
    {
        {
            juce::FileOutputStream out (file);

            if (!out.openedOk() || !out.write (data.getData(), data.getSize()))
                return false;

            out.flush();

            if (out.getStatus().failed())
                return false;
        }

        // The stream takes a write that the kernel accepted only in part (a full disk) for
        // success, so the length is what tells.
        return file.getSize() == static_cast<juce::int64> (data.getSize());
    }

    // Beside the target, so that the rename stays atomic, yet never taken for a preset or a map:
    // hidden, and ending in a suffix of its own, it is not listed, stepped onto or loaded while
    // the save runs, nor after a crash left it behind.
    juce::File temporaryFileFor (const juce::File& target)
    {
        const auto prefix = "." + target.getFileName() + "." + juce::String::toHexString (juce::Random().nextInt());
        return target.getParentDirectory().getNonexistentChildFile (prefix, temporaryFileSuffix, false);
    }
} // namespace

bool XmlFileWriter::write (const juce::XmlElement& xml, const juce::File& file, const juce::String& dtd)
{
    // Renaming onto a folder fails only after the framework's retries, and an empty path has no
    // folder for the temporary file: refuse both at once.
    if (file == juce::File() || file.isDirectory())
        return false;

    // The framework's own XmlElement::writeTo (File) would move a truncated temporary file over
    // the target after such a short write, so the document is written here.
    const juce::TemporaryFile temporary (file, temporaryFileFor (file));
    return writeWhole (formatDocument (xml, dtd), temporary.getFile()) && temporary.overwriteTargetFileWithTemporary();
}
} // namespace velk
