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
} // namespace
