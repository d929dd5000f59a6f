// Renders every control of the look and feel into a PNG for review by eye:
//   look_sheet <output.png>
#include "ReviewSheet.h"

#include <iostream>

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: look_sheet <output.png>\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juceInitialiser;
    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (juce::String (argv[1]));

    juce::Image image;
    {
        ReviewSheet sheet;
        image = sheet.render();
    }

    // FileOutputStream appends to an existing file, so start from an empty one.
    if (!file.deleteFile())
    {
        std::cerr << "cannot replace " << file.getFullPathName() << "\n";
        return 1;
    }

    juce::FileOutputStream out (file);
    juce::PNGImageFormat png;

    if (!out.openedOk() || !png.writeImageToStream (image, out))
    {
        std::cerr << "cannot write " << file.getFullPathName() << "\n";
        return 1;
    }

    std::cout << file.getFullPathName() << "\n";
    return 0;
}
