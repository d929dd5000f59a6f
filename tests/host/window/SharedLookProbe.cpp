#include "SharedLookProbe.h"

#include <atomic>
#include <cstring>
#include <cxxabi.h>
#include <dlfcn.h>
#include <elf.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <vector>

namespace tavelin::test
{
namespace
{
    // juce::SharedResourcePointer<T>'s holder, member for member: its spin lock, the object and
    // the count of holders. A smaller symbol means that the framework changed it (a sanitizer
    // build may pad it).
    struct HolderLayout
    {
        std::atomic<int> lock;
        const void* instance;
        int holders;
    };

    const std::string holderPrefix = "juce::SharedResourcePointer<";
    const std::string holderSuffix = ">::getSharedObjectHolder()::holder";

    std::string demangled (const char* name)
    {
        int status = 0;
        const std::unique_ptr<char, decltype (&std::free)> text (abi::__cxa_demangle (name, nullptr, nullptr, &status), &std::free);
        return status == 0 ? std::string (text.get()) : std::string();
    }

    /** The type T of a holder's symbol name, or empty for any other symbol. */
    std::string heldType (const char* mangledName)
    {
        if (std::strstr (mangledName, "getSharedObjectHolder") == nullptr)
            return {};

        const auto name = demangled (mangledName);

        if (name.size() <= holderPrefix.size() + holderSuffix.size() || name.compare (0, holderPrefix.size(), holderPrefix) != 0
            || name.compare (name.size() - holderSuffix.size(), holderSuffix.size(), holderSuffix) != 0)
            return {};

        return name.substr (holderPrefix.size(), name.size() - holderPrefix.size() - holderSuffix.size());
    }

    template <typename Type>
    const Type& at (const std::vector<char>& file, std::size_t offset)
    {
        if (offset + sizeof (Type) > file.size())
            throw std::runtime_error ("the plug-in binary is cut short");

        return *reinterpret_cast<const Type*> (file.data() + offset);
    }
} // namespace

SharedLookProbe::SharedLookProbe (const std::string& binaryPath, const void* loadedFunction)
{
    Dl_info loaded{};

    if (dladdr (loadedFunction, &loaded) == 0)
        throw std::runtime_error ("the function lies in no loaded binary");

    std::ifstream stream (binaryPath, std::ios::binary);
    const std::vector<char> file ((std::istreambuf_iterator<char> (stream)), std::istreambuf_iterator<char>());
    const auto& header = at<Elf64_Ehdr> (file, 0);

    for (int index = 0; index < header.e_shnum; ++index)
    {
        const auto& section = at<Elf64_Shdr> (file, header.e_shoff + (std::size_t) index * header.e_shentsize);

        if (section.sh_type != SHT_SYMTAB)
            continue;

        const auto& names = at<Elf64_Shdr> (file, header.e_shoff + (std::size_t) section.sh_link * header.e_shentsize);

        for (auto offset = section.sh_offset; offset < section.sh_offset + section.sh_size; offset += sizeof (Elf64_Sym))
        {
            const auto& symbol = at<Elf64_Sym> (file, offset);
            const auto type = heldType (&at<char> (file, names.sh_offset + symbol.st_name));

            if (type.empty())
                continue;

            if (symbol.st_size < sizeof (HolderLayout))
                throw std::runtime_error ("the framework's shared-object holder is not laid out as expected");

            holders[type] = static_cast<const char*> (loaded.dli_fbase) + symbol.st_value;
        }
    }
}

SharedLook SharedLookProbe::read (const std::string& typeName) const
{
    const auto found = holders.find (typeName);

    if (found == holders.end())
        throw std::invalid_argument ("the plug-in holds no shared " + typeName);

    const auto& holder = *static_cast<const HolderLayout*> (found->second);
    return { holder.instance, holder.holders };
}
} // namespace tavelin::test
