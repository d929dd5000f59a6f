#include "parameters/ParameterCreation.h"
#include "processor/CCMapper.h"
#include "processor/PresetsManager.h"
#include "processor/XmlReader.h"
#include "support/TestAudioProcessor.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
using Bytes = std::vector<unsigned char>;

const auto utf8Mark = Bytes{ 0xef, 0xbb, 0xbf };
const auto littleEndianMark = Bytes{ 0xff, 0xfe };
const auto bigEndianMark = Bytes{ 0xfe, 0xff };

/** A name with characters of two, three and four bytes in UTF-8 (the last a surrogate pair in UTF-16). */
const juce::String unicodeName = juce::CharPointer_UTF8 ("\xc3\x89"
                                                         "cho \xe2\x82\xac \xf0\x9f\x8e\xb5");

const juce::String document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Tavelin name=\"" + unicodeName + "\"/>\r\n";

/** A cut anywhere between these two leaves the root element unclosed, which the parser refuses. */
const juce::String unclosed{ "<Tavelin><PARAM/>" }, closing{ "</Tavelin>" };

Bytes operator+ (Bytes start, const Bytes& end)
{
    start.insert (start.end(), end.begin(), end.end());
    return start;
}

Bytes utf8 (const juce::String& text)
{
    const auto* begin = reinterpret_cast<const unsigned char*> (text.toRawUTF8());
    return { begin, begin + text.getNumBytesAsUTF8() };
}

/** UTF-16 code units, each written in the byte order asked for. */
Bytes units (const std::vector<juce::juce_wchar>& codeUnits, bool bigEndian = false)
{
    Bytes bytes;

    for (auto unit : codeUnits)
    {
        const auto high = (unsigned char) (unit >> 8), low = (unsigned char) (unit & 0xff);
        bytes.push_back (bigEndian ? high : low);
        bytes.push_back (bigEndian ? low : high);
    }

    return bytes;
}

Bytes utf16 (const juce::String& text, bool bigEndian = false)
{
    std::vector<juce::juce_wchar> codeUnits;

    for (auto p = text.toUTF16(); !p.isEmpty(); ++p)
        for (auto* unit = p.getAddress(); unit < (p + 1).getAddress(); ++unit)
            codeUnits.push_back ((juce::juce_wchar) *unit);

    return units (codeUnits, bigEndian);
}

/** A document that is exactly `size` bytes of UTF-16 with its mark. */
Bytes utf16OfSize (juce::int64 size)
{
    const juce::String open{ "<Tavelin name=\"x\"><!--" }, close{ "--></Tavelin>" };
    const auto padding = (int) (size - 2) / 2 - open.length() - close.length();
    return littleEndianMark + utf16 (open + juce::String::repeatedString ("x", padding) + close);
}

struct EncodingCase
{
    const char* name;
    Bytes fileBytes;
    juce::String expectedName; // empty: the file is refused
};

const EncodingCase encodingCases[] = {
    { "Utf8", utf8 (document), unicodeName },
    { "Utf8WithMark", utf8Mark + utf8 (document), unicodeName },
    { "Utf16LittleEndianWithMark", littleEndianMark + utf16 (document), unicodeName },
    { "Utf16BigEndianWithMark", bigEndianMark + utf16 (document, true), unicodeName },
    { "Utf16WithoutMark", utf16 (document), {} },
    { "Utf8WithMarkAndBrokenUtf8Inside", utf8Mark + utf8 (unclosed) + Bytes{ 0xf0 } + utf8 (closing), {} },
    { "Utf8WithMarkCutBeforeBrokenUtf8AtTheEnd", utf8Mark + utf8 ("<Tavelin name=\"x\"/>") + Bytes{ 0xf0 }, "x" },
    { "Utf16WithLoneSurrogateInside", littleEndianMark + utf16 (unclosed) + units ({ 0xd83c }) + utf16 (closing), {} },
    { "Utf16WithLowSurrogateFirst", littleEndianMark + utf16 (unclosed) + units ({ 0xdfb5, 0xd83c }) + utf16 (closing), {} },
    { "Utf16CutBeforeLoneSurrogateAtTheEnd", littleEndianMark + utf16 ("<Tavelin name=\"x\"/>") + units ({ 0xd83c }), "x" },
    { "Utf16CutBeforeOddLastByte", littleEndianMark + utf16 ("<Tavelin name=\"x\"/>") + Bytes{ 0x3c }, "x" },
    { "Utf16EndsAtZeroUnit", littleEndianMark + utf16 ("<Tavelin name=\"x\"/>") + units ({ 0, 0xd83c }), "x" },
    { "Utf16WithProcessingInstructionInsideTheRoot", littleEndianMark + utf16 ("<Tavelin><?x?>text</Tavelin>"), {} },
    { "Utf16OfTheLargestSize", utf16OfSize (velk::XmlReader::maxFileSize), "x" },
    { "Utf16TooLarge", utf16OfSize (velk::XmlReader::maxFileSize + 2), {} },
    { "MarkOnly", littleEndianMark, {} },
};

void PrintTo (const EncodingCase& encodingCase, std::ostream* stream)
{
    *stream << encodingCase.name;
}

juce::File writeToHome (const juce::String& fileName, const Bytes& bytes)
{
    auto file = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (fileName);
    EXPECT_TRUE (file.replaceWithData (bytes.data(), bytes.size()));
    return file;
}

class FileEncodingTest : public testing::TestWithParam<EncodingCase>
{
};

TEST_P (FileEncodingTest, FileReaderTakesUtf8AndMarkedUtf16AndKeepsItsGuards)
{
    const auto file = writeToHome ("Encoded.xml", GetParam().fileBytes);
    const auto xml = velk::XmlReader::parse (file);

    if (GetParam().expectedName.isEmpty())
    {
        EXPECT_EQ (xml, nullptr);
        return;
    }

    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getTagName(), "Tavelin");
    EXPECT_EQ (xml->getStringAttribute ("name"), GetParam().expectedName);
}

INSTANTIATE_TEST_SUITE_P (Encodings, FileEncodingTest, testing::ValuesIn (encodingCases),
                          [] (const testing::TestParamInfo<EncodingCase>& testCase)
                          { return std::string (testCase.param.name); });

//==============================================================================
TEST (FileEncodingServicesTest, PresetInUtf16WithMarkLoads)
{
    tavelin::test::TestParameterStore parameters;
    const auto* pan = velk::addFloatParameter (parameters.store, "Panner_1_Pan", "Pan", { 0.0f, 100.0f, 0.01f }, 50.0f, {}, nullptr);
    parameters.finishCreatingParameters();

    const auto file = writeToHome ("Marked.vtp", littleEndianMark + utf16 (R"(<?xml version="1.0" encoding="UTF-8"?>)"
                                                                           "\r\n<Tavelin><PARAM id=\"Panner_1_Pan\" value=\"12.5\"/></Tavelin>\r\n"));

    EXPECT_TRUE (velk::PresetsManager::loadPreset (file, parameters.store).wasOk());
    EXPECT_EQ (pan->load(), 12.5f);
}

TEST (FileEncodingServicesTest, MapInUtf8WithMarkLoads)
{
    const auto file = writeToHome ("Marked.vtcc", utf8Mark + utf8 ("<" + velk::CCMapper::midiMapTag.toString() + "><Delay_1_Time cc=\"21\"/></" + velk::CCMapper::midiMapTag.toString() + ">"));
    velk::CCMapper mapper;

    mapper.loadMapFile (file);

    const auto map = mapper.getMap();
    ASSERT_EQ (map.getNumChildren(), 1);
    EXPECT_EQ (map.getChild (0).getType().toString(), "Delay_1_Time");
    EXPECT_EQ ((int) map.getChild (0)[velk::CCMapper::ccValueProperty], 21);
}
} // namespace
