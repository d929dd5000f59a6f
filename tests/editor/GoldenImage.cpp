#include "editor/GoldenImage.h"

#include <cstdlib>

namespace tavelin::test
{
namespace
{
    juce::File goldenFile (const juce::String& name)
    {
        return juce::File (TAVELIN_EDITOR_GOLDEN_DIR).getChildFile (name + ".png");
    }

    juce::File failureFile (const juce::String& name)
    {
        return juce::File (TAVELIN_EDITOR_GOLDEN_FAILURES_DIR).getChildFile (name + ".png");
    }

    bool writePng (const juce::Image& image, const juce::File& file)
    {
        file.getParentDirectory().createDirectory();
        file.deleteFile();
        juce::FileOutputStream out (file);
        return out.openedOk() && juce::PNGImageFormat().writeImageToStream (image, out);
    }

    bool channelsWithin (juce::Colour a, juce::Colour b, int tolerance)
    {
        const auto near = [tolerance] (juce::uint8 x, juce::uint8 y)
        { return std::abs ((int) x - (int) y) <= tolerance; };

        return near (a.getAlpha(), b.getAlpha()) && near (a.getRed(), b.getRed()) && near (a.getGreen(), b.getGreen())
               && near (a.getBlue(), b.getBlue());
    }

    juce::String approveCommand()
    {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        return "TAVELIN_APPROVE_GOLDEN=1 " + juce::File::getSpecialLocation (juce::File::currentExecutableFile).getFullPathName()
               + " --gtest_filter='" + test->test_suite_name() + "." + test->name() + "'";
    }
} // namespace

testing::AssertionResult matchesGolden (const juce::Image& image, const juce::String& name, int tolerance)
{
    if (const auto* approve = std::getenv ("TAVELIN_APPROVE_GOLDEN"); approve != nullptr && juce::String (approve) == "1")
    {
        if (writePng (image, goldenFile (name)))
            return testing::AssertionSuccess() << "approved " << goldenFile (name).getFullPathName();

        return testing::AssertionFailure() << "could not write " << goldenFile (name).getFullPathName();
    }

    const auto golden = juce::ImageFileFormat::loadFrom (goldenFile (name));
    const auto actualFile = failureFile (name + ".actual");

    if (!golden.isValid() || golden.getBounds() != image.getBounds())
    {
        writePng (image, actualFile);
        return testing::AssertionFailure() << goldenFile (name).getFullPathName() << " is missing or of another size; wrote "
                                           << actualFile.getFullPathName() << "\napprove with: " << approveCommand();
    }

    juce::Image diff (juce::Image::ARGB, image.getWidth(), image.getHeight(), true);
    int numDiffering = 0;

    for (int y = 0; y < image.getHeight(); ++y)
    {
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto actual = image.getPixelAt (x, y);
            const auto same = channelsWithin (actual, golden.getPixelAt (x, y), tolerance);
            numDiffering += same ? 0 : 1;
            diff.setPixelAt (x, y, same ? actual.withMultipliedBrightness (0.3f) : juce::Colours::red);
        }
    }

    if (numDiffering == 0)
        return testing::AssertionSuccess();

    const auto diffFile = failureFile (name + ".diff");
    writePng (image, actualFile);
    writePng (diff, diffFile);
    return testing::AssertionFailure() << numDiffering << " pixels differ from " << goldenFile (name).getFullPathName()
                                       << " by more than " << tolerance << "; see " << actualFile.getFullPathName()
                                       << " and " << diffFile.getFullPathName() << "\napprove with: " << approveCommand();
}

juce::Image sideBySide (const std::vector<juce::Image>& images)
{
    int width = 0, height = 0;

    for (const auto& image : images)
    {
        width += image.getWidth();
        height = juce::jmax (height, image.getHeight());
    }

    juce::Image sheet (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
    juce::Graphics g (sheet);
    g.fillAll (juce::Colours::black);

    int x = 0;

    for (const auto& image : images)
    {
        g.drawImageAt (image, x, 0);
        x += image.getWidth();
    }

    return sheet;
}
} // namespace tavelin::test
