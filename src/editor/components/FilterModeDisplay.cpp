#include "editor/components/FilterModeDisplay.h"

#include <EditorAssets.h>

namespace velk
{
FilterModeDisplay::FilterModeDisplay() = default;
FilterModeDisplay::~FilterModeDisplay() = default;

void FilterModeDisplay::initialize (float initialValue, const juce::Colour& colour)
{
    initializeWithPictures ({ { EditorAssets::filter_lpf_svg, EditorAssets::filter_lpf_svgSize },
                              { EditorAssets::filter_hpf_svg, EditorAssets::filter_hpf_svgSize },
                              { EditorAssets::filter_bpf_svg, EditorAssets::filter_bpf_svgSize },
                              { EditorAssets::filter_notch_svg, EditorAssets::filter_notch_svgSize } },
                            initialValue, colour);
}
} // namespace velk
