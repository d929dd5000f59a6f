#include "lookandfeel/LookTestSupport.h"

#include <EditorAssets.h>

#include <iterator>

using namespace tavelin::test;

namespace
{
struct Artwork
{
    const char* resource;
    juce::Rectangle<float> viewBox;
    juce::Rectangle<float> drawnWithin;
    juce::Colour colour; // as drawn, with its opacity
};

void PrintTo (const Artwork& art, std::ostream* os)
{
    *os << art.resource;
}

const juce::Colour cyan{ 0xFF42D2DDu }, dimmedGrey{ 0x7FBDBDBDu }, lightGrey{ 0xFFBDBDBDu },
    blue{ 0xFF1C91ABu }, white{ 0xFFFFFFFFu };

const juce::Rectangle<float> iconBox{ 200, 200 }, pictureBox{ 500, 150 };

// The curves run from x 75 to x 425; half of the 16-unit stroke lies beyond.
const juce::Rectangle<float> pictureCurve{ 67, 0, 366, 150 };

const Artwork artworks[] = {
    { "power_on_svg", iconBox, iconBox, cyan },
    { "power_off_svg", iconBox, iconBox, dimmedGrey },
    { "parallel_svg", iconBox, iconBox, cyan },
    { "serial_svg", iconBox, iconBox, cyan },
    { "chain_to_filter_on_svg", { 400, 273 }, { 400, 273 }, cyan },
    { "chain_to_filter_off_svg", { 400, 273 }, { 400, 273 }, dimmedGrey },
    { "filter_lpf_svg", pictureBox, pictureCurve, white },
    { "filter_hpf_svg", pictureBox, pictureCurve, white },
    { "filter_bpf_svg", pictureBox, pictureCurve, white },
    { "filter_notch_svg", pictureBox, pictureCurve, white },
    { "lfo_sine_svg", pictureBox, pictureCurve, white },
    { "lfo_square_svg", pictureBox, pictureCurve, white },
    { "lfo_saw_up_svg", pictureBox, pictureCurve, white },
    { "lfo_saw_down_svg", pictureBox, pictureCurve, white },
    { "lfo_triangle_svg", pictureBox, pictureCurve, white },
    { "lfo_random_svg", pictureBox, pictureCurve, white },
    { "lfo_smooth_random_svg", pictureBox, pictureCurve, white },
    { "cog_svg", iconBox, { 5, 5, 190, 190 }, blue },
    { "matrix_off_svg", { 400, 400 }, { 400, 400 }, blue },
    { "matrix_on_svg", { 396, 396 }, { 396, 396 }, blue },
    { "emblem_svg", { 400, 400 }, { 400, 400 }, lightGrey },
    { "logotype_svg", { 400, 80 }, { 400, 80 }, lightGrey },
    { "maker_logotype_svg", { 350, 108 }, { 350, 108 }, lightGrey },
};

juce::MemoryBlock embedded (const char* resource)
{
    int size = 0;
    const auto* data = EditorAssets::getNamedResource (resource, size);
    return data == nullptr ? juce::MemoryBlock() : juce::MemoryBlock (data, (size_t) size);
}

// Plain paths only: no text, fonts, bitmaps or links that the scaled window could lose.
bool holdsOnlyPaths (const juce::XmlElement& element)
{
    for (const auto* child : element.getChildIterator())
        if ((!child->hasTagName ("g") && !child->hasTagName ("path")) || !holdsOnlyPaths (*child))
            return false;

    return true;
}
} // namespace

class EditorArtwork : public ::testing::TestWithParam<Artwork>
{
};

TEST_P (EditorArtwork, IsAPlainPathDrawingOfItsViewBoxInItsColour)
{
    const auto& art = GetParam();
    const auto data = embedded (art.resource);
    const auto xml = juce::parseXML (data.toString());
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->hasTagName ("svg") && holdsOnlyPaths (*xml));

    const auto drawable = juce::Drawable::createFromImageData (data.getData(), data.getSize());
    const auto* composite = dynamic_cast<const juce::DrawableComposite*> (drawable.get());
    ASSERT_NE (composite, nullptr);
    EXPECT_EQ (composite->getContentArea(), art.viewBox) << composite->getContentArea().toString();
    EXPECT_TRUE (art.drawnWithin.expanded (0.5f).contains (composite->getDrawableBounds()))
        << composite->getDrawableBounds().toString();

    const auto image = render ((int) art.viewBox.getWidth(), (int) art.viewBox.getHeight(),
                               [&] (juce::Graphics& g)
                               { composite->draw (g, 1.0f); });

    // A body of fully covered pixels in the colour, and no other colour wherever the drawing is
    // more than half covered (the edges' blend with transparency aside).
    EXPECT_GT (countPixels (image, [&] (juce::Colour c)
                            { return coloursMatch (c, art.colour); }),
               100);
    EXPECT_EQ (countPixels (image, [&] (juce::Colour c)
                            { return c.getAlpha() > art.colour.getAlpha() / 2
                                     && !coloursMatch (c.withAlpha (art.colour.getAlpha()), art.colour, 6); }),
               0);
}

INSTANTIATE_TEST_SUITE_P (Assets, EditorArtwork, testing::ValuesIn (artworks),
                          [] (const testing::TestParamInfo<Artwork>& row)
                          { return std::string (row.param.resource); });

TEST (EditorArtworkTable, CoversEveryEmbeddedImage)
{
    EXPECT_EQ (EditorAssets::namedResourceListSize, (int) std::size (artworks));
}
