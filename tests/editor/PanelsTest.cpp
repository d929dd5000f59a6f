#include "editor/EditorFixture.h"
#include "editor/GoldenImage.h"
#include "editor/components/LogoComponent.h"
#include "editor/components/PanelHeaderLabel.h"
#include "editor/components/ParameterLinkDecoration.h"
#include "editor/components/SubSectionLabel.h"
#include "editor/components/VelkPanel.h"

namespace tavelin::test
{
namespace
{
    // A bar four times as wide as high with a notch: in a wider box placement and opacity show.
    constexpr char logoSvg[] = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 40 10">)"
                               R"(<path d="M0 0H40V10H24V5H16V10H0Z" fill="#4BC89A"/></svg>)";

    /** Every drawing component in its forms, on one sheet. */
    class PanelSheet : public juce::Component
    {
    public:
        PanelSheet()
        {
            const auto link = TavelinAudioProcessorEditor::chain1Colour.withBrightness (0.5f);
            place (std::make_unique<velk::VelkPanel> (true, true, true, true, true), { 0, 0, 120, 60 });
            place (std::make_unique<velk::VelkPanel> (false, false, false, false, false), { 125, 0, 120, 60 });
            auto& darker = place (std::make_unique<velk::VelkPanel> (true, true, true, true, false), { 250, 0, 120, 60 });
            darker.darkerShade = true;

            place (std::make_unique<velk::PanelHeaderLabel> ("OUTPUT", TavelinAudioProcessorEditor::outputModuleColour), { 0, 65, 150, 20 });
            place (std::make_unique<velk::PanelHeaderLabel> ("LFO 1", TavelinAudioProcessorEditor::lfoModulesColour), { 160, 65, 60, 20 });
            place (std::make_unique<velk::SubSectionLabel> ("FILTER"), { 225, 65, 145, 20 });
            place (std::make_unique<velk::SubSectionLabel> ("MACROS"), { 0, 90, 50, 20 });

            place (std::make_unique<velk::ParameterLinkDecoration> (link, true, false, false), { 60, 90, 40, 20 });
            place (std::make_unique<velk::ParameterLinkDecoration> (link, true, false, true), { 105, 90, 40, 20 });
            place (std::make_unique<velk::ParameterLinkDecoration> (link, false, true, false), { 150, 90, 41, 20 });
            place (std::make_unique<velk::ParameterLinkDecoration> (link, false, false, true), { 195, 90, 41, 20 });

            for (int placement = 0; placement < 3; ++placement)
                place (std::make_unique<velk::LogoComponent> (logoSvg, sizeof (logoSvg) - 1), { placement * 50, 118, 45, 6 })
                    .placement = placement;

            place (std::make_unique<velk::LogoComponent> (logoSvg, sizeof (logoSvg) - 1), { 150, 118, 45, 6 }).opacity = 0.3f;
            setSize (370, 130);
        }

    private:
        template <typename ComponentType>
        ComponentType& place (std::unique_ptr<ComponentType> component, juce::Rectangle<int> bounds)
        {
            component->setBounds (bounds);
            addAndMakeVisible (*component);
            return static_cast<ComponentType&> (*parts.add (std::move (component)));
        }

        juce::OwnedArray<juce::Component> parts;
    };
} // namespace

using Panels = EditorFixture;

TEST_F (Panels, DrawTheirBackgroundsEdgesCaptionsLinksAndLogos)
{
    openEditor(); // the labels draw with the editor's default look and its typeface
    PanelSheet sheet;

    EXPECT_TRUE (matchesGolden (snapshot (sheet, 2.0f), "panels", 1));
}

} // namespace tavelin::test
