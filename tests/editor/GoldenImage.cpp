#include "editor/GoldenImage.h"

#include <cstdlib>

namespace tavelin::test
{
namespace
{
    void writePng (const juce::Image& image, const juce::File& file)
    {
        file.getParentDirectory().createDirectory();
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat().writeImageToStream (image, out);
    }

    bool channelsWithin (juce::Colour a, juce::Colour b, int tolerance)
    {
        const auto near = [tolerance] (juce::uint8 x, juce::uint8 y)
        { return std::abs ((int) x - (int) y) <= tolerance; };

        return near (a.getAlpha(), b.getAlpha()) && near (a.getRed(), b.getRed()) && near (a.getGreen(), b.getGreen())
               && near (a.getBlue(), b.getBlue());
    }

    /** Differing pixels red, the others dimmed; -1 pixels when the sizes differ. */
    int countDifferences (const juce::Image& image, const juce::Image& golden, int tolerance, juce::Image& diff)
    {
        if (golden.getBounds() != image.getBounds())
            return -1;

        int count = 0;
        diff = juce::Image (juce::Image::ARGB, image.getWidth(), image.getHeight(), true);

        for (int y = 0; y < image.getHeight(); ++y)
        {
            for (int x = 0; x < image.getWidth(); ++x)
            {
                const auto same = channelsWithin (image.getPixelAt (x, y), golden.getPixelAt (x, y), tolerance);
                count += same ? 0 : 1;
                diff.setPixelAt (x, y, same ? image.getPixelAt (x, y).withMultipliedBrightness (0.3f) : juce::Colours::red);
            }
        }

        return count;
    }

    juce::File goldenFile (const juce::String& name)
    {
        return juce::File (TAVELIN_EDITOR_GOLDEN_DIR).getChildFile (name + ".png");
    }
} // namespace

bool showsGolden (const juce::Image& image, const juce::String& name, int tolerance)
{
    juce::Image diff;
    return countDifferences (image, juce::ImageFileFormat::loadFrom (goldenFile (name)), tolerance, diff) == 0;
}

testing::AssertionResult matchesGolden (const juce::Image& image, const juce::String& name, int tolerance)
{
    const auto golden = goldenFile (name);

    if (juce::String (std::getenv ("TAVELIN_APPROVE_GOLDEN")) == "1")
    {
        writePng (image, golden);
        return testing::AssertionSuccess();
    }

    juce::Image diff;
    const auto differences = countDifferences (image, juce::ImageFileFormat::loadFrom (golden), tolerance, diff);

    if (differences == 0)
        return testing::AssertionSuccess();

    const auto failures = juce::File (TAVELIN_EDITOR_GOLDEN_FAILURES_DIR);
    writePng (image, failures.getChildFile (name + ".actual.png"));

    if (diff.isValid())
        writePng (diff, failures.getChildFile (name + ".diff.png"));

    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    return testing::AssertionFailure()
           << golden.getFullPathName() << (differences < 0 ? " is missing or of another size" : " differs in " + juce::String (differences) + " pixels")
           << "; the image and the diff are in " << failures.getFullPathName() << "\napprove with: TAVELIN_APPROVE_GOLDEN=1 "
           << juce::File::getSpecialLocation (juce::File::currentExecutableFile).getFullPathName() << " --gtest_filter='"
           << test->test_suite_name() << "." << test->name() << "'";
}

} // namespace tavelin::test
