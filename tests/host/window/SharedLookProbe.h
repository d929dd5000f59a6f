#pragma once

#include <map>
#include <string>

namespace tavelin::test
{
/** How the loaded plug-in holds one of its shared look-and-feel objects: the object (null when
    none exists) and the number of its holders, open editors each holding one.
*/
struct SharedLook
{
    const void* instance = nullptr;
    int holders = 0;
};

/** Reads the holders of the plug-in's shared objects (juce::SharedResourcePointer) in the
    loaded binary. The binary exports nothing but its entry points, so they are found by name in
    its symbol table, which every build of ours keeps.
*/
class SharedLookProbe
{
public:
    /** binaryPath is the plug-in's file, and loadedFunction any of its functions as loaded,
        which tells where the binary lies in memory.
    */
    SharedLookProbe (const std::string& binaryPath, const void* loadedFunction);

    /** The look of this type ("velk::VKLook"), as it stands now; a type without a holder in the
        binary throws.
    */
    SharedLook read (const std::string& typeName) const;

private:
    std::map<std::string, const void*> holders;
};
} // namespace tavelin::test
