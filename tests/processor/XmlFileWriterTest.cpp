#include "processor/XmlFileWriter.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace
{
class XmlFileWriterTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE (folder.createDirectory()); }
    void TearDown() override { folder.deleteRecursively(); }

    static juce::XmlElement makeDocument (int numChildren)
    {
        juce::XmlElement root ("Root");

        for (int i = 0; i < numChildren; ++i)
            root.createNewChildElement ("Child")->setAttribute ("index", i);

        return root;
    }

    juce::File folder = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("xml-writer");
    juce::File target = folder.getChildFile ("document.xml");
};

TEST_F (XmlFileWriterTest, WritesDeclarationDtdLineAndCrLfLineEnds)
{
    ASSERT_TRUE (velk::XmlFileWriter::write (makeDocument (1), target, "DTD"));

    EXPECT_EQ (target.loadFileAsString(),
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\nDTD\r\n<Root>\r\n  <Child index=\"0\"/>\r\n</Root>\r\n");
}

TEST_F (XmlFileWriterTest, LeavesOutTheDtdLineWhenThereIsNone)
{
    ASSERT_TRUE (velk::XmlFileWriter::write (juce::XmlElement ("Root"), target, {}));

    EXPECT_EQ (target.loadFileAsString(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Root/>\r\n");
}

TEST_F (XmlFileWriterTest, ShortWriteReportsFailureAndKeepsTheOldFile)
{
    ASSERT_TRUE (target.replaceWithText ("old contents"));

    // A file-size limit makes the kernel accept only part of the document, as a full disk does.
    const auto status = tavelin::test::runInChildProcess ([this]
                                                          {
        std::signal (SIGXFSZ, SIG_IGN);
        const rlimit limit { 100, 100 };
        setrlimit (RLIMIT_FSIZE, &limit);
        return velk::XmlFileWriter::write (makeDocument (50), target, {}) ? 1 : 0; });

    EXPECT_EQ (status, tavelin::test::ChildEnd::exited (0));
    EXPECT_EQ (target.loadFileAsString(), "old contents");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
}

//==============================================================================
/** What a save that dies half-way leaves beside the file it was to replace. */
class XmlFileWriterLeftover : public XmlFileWriterTest,
                              public testing::WithParamInterface<const char*>
{
};

TEST_P (XmlFileWriterLeftover, IsHiddenBesideTheTargetAndEndsInNoExtensionOfAPresetOrAMap)
{
    const auto targetOfTheSave = folder.getChildFile (GetParam());
    const auto end = tavelin::test::runUntilTheFirstFileWrite ([&targetOfTheSave]
                                                               { velk::XmlFileWriter::write (makeDocument (3), targetOfTheSave, {}); });
    ASSERT_EQ (end, tavelin::test::ChildEnd::killedBy (SIGXFSZ));

    const auto left = folder.findChildFiles (juce::File::findFiles, false);
    ASSERT_EQ (left.size(), 1) << "the save died before its rename";
    const auto name = left.getFirst().getFileName();

    EXPECT_TRUE (name.startsWith (".")) << name;
    EXPECT_FALSE (name.endsWithIgnoreCase (".vtp") || name.endsWithIgnoreCase (".vtcc")) << name;
    EXPECT_FALSE (targetOfTheSave.exists());
}

INSTANTIATE_TEST_SUITE_P (Targets, XmlFileWriterLeftover,
                          testing::Values ("Bass.vtp", "LOUD.VTP", "studio.vtcc", "Studio.VtCc", "no extension", "two.dots.vtp"));
} // namespace
