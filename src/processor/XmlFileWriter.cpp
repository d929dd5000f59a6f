#include "processor/XmlFileWriter.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace velk
{
namespace
{
    constexpr const char* temporaryFileSuffix = ".saving";
    constexpr long usualNameMax = 255;

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

    juce::String reasonFor (int error)
    {
        switch (error)
        {
            case ENOENT:
            case ENOTDIR:
                return "its folder does not exist";
            case EACCES:
            case EPERM:
                return "its folder is read-only";
            case EROFS:
                return "the disk is read-only";
            case ENOSPC:
            case EDQUOT:
            case EFBIG:
                return "there is no room for it on the disk";
            case ENAMETOOLONG:
                return "its name is too long";
            default:
                return juce::String (std::strerror (error)).toLowerCase();
        }
    }

    long longestNameIn (const juce::File& folder)
    {
        const auto longest = pathconf (folder.getFullPathName().toRawUTF8(), _PC_NAME_MAX);
        return longest > 0 ? longest : usualNameMax;
    }

    // Beside the target, so that the rename stays atomic, yet never taken for a preset or a map:
    // hidden, and ending in a suffix of its own, it is not listed, stepped onto or loaded while
    // the save runs, nor after a crash left it behind. The target's name in it is cut short where
    // the whole would be longer than the folder allows: a name the folder takes must save.
    juce::File temporaryFileFor (const juce::File& target)
    {
        const auto tag = "." + juce::String::toHexString (juce::Random().nextInt()) + temporaryFileSuffix;
        const auto room = (size_t) longestNameIn (target.getParentDirectory()) - 1 - tag.getNumBytesAsUTF8();
        auto name = target.getFileName();

        while (name.getNumBytesAsUTF8() > room)
            name = name.dropLastCharacters (1);

        return target.getParentDirectory().getChildFile ("." + name + tag);
    }

    /** 0, or the error number of the write that failed. */
    int writeWhole (int descriptor, const juce::MemoryBlock& data)
    {
        const auto* bytes = static_cast<const char*> (data.getData());

        for (size_t written = 0; written < data.getSize();)
        {
            const auto result = ::write (descriptor, bytes + written, data.getSize() - written);

            if (result < 0 && errno != EINTR)
                return errno;

            written += result > 0 ? (size_t) result : 0;
        }

        return 0;
    }

    /** 0, or the error number of the step that failed; the temporary file is gone either way. */
    int writeThroughTemporary (const juce::MemoryBlock& data, const juce::File& target)
    {
        juce::File temporary;
        int descriptor = -1;

        do
        {
            temporary = temporaryFileFor (target);
            descriptor = open (temporary.getFullPathName().toRawUTF8(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        } while (descriptor < 0 && errno == EEXIST);

        if (descriptor < 0)
            return errno;

        auto error = writeWhole (descriptor, data);

        if (close (descriptor) != 0 && error == 0)
            error = errno;

        if (error == 0 && rename (temporary.getFullPathName().toRawUTF8(), target.getFullPathName().toRawUTF8()) != 0)
            error = errno;

        if (error != 0)
            unlink (temporary.getFullPathName().toRawUTF8());

        return error;
    }
} // namespace

juce::Result XmlFileWriter::write (const juce::XmlElement& xml, const juce::File& file, const juce::String& dtd)
{
    if (file == juce::File())
        return juce::Result::fail ("no file name was given");

    if (file.isDirectory())
        return juce::Result::fail ("a folder has that name");

    if (const auto error = writeThroughTemporary (formatDocument (xml, dtd), file); error != 0)
        return juce::Result::fail (reasonFor (error));

    return juce::Result::ok();
}
} // namespace velk
