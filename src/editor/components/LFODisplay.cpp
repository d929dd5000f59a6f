#include "editor/components/LFODisplay.h"

#include <EditorAssets.h>

namespace velk
{
LFODisplay::LFODisplay() = default;
LFODisplay::~LFODisplay() = default;

void LFODisplay::initialize (float initialValue, const juce::Colour& colour)
{
    initializeWithPictures ({ { EditorAssets::lfo_sine_svg, EditorAssets::lfo_sine_svgSize },
                              { EditorAssets::lfo_square_svg, EditorAssets::lfo_square_svgSize },
                              { EditorAssets::lfo_saw_up_svg, EditorAssets::lfo_saw_up_svgSize },
                              { EditorAssets::lfo_saw_down_svg, EditorAssets::lfo_saw_down_svgSize },
                              { EditorAssets::lfo_triangle_svg, EditorAssets::lfo_triangle_svgSize },
                              { EditorAssets::lfo_random_svg, EditorAssets::lfo_random_svgSize },
                              { EditorAssets::lfo_smooth_random_svg, EditorAssets::lfo_smooth_random_svgSize } },
                            initialValue, colour);
}
} // namespace velk
