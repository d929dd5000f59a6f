#include "VstHost.h"

#include <algorithm>
#include <cstring>
#include <dlfcn.h>
#include <stdexcept>

namespace tavelin::test
{
namespace
{
    // The host callback can arrive while VSTPluginMain is still running, before the host knows
    // the AEffect pointer; this names the host that is creating an instance on this thread.
    thread_local VstHost* hostUnderConstruction = nullptr;

    template <typename Function>
    Function lookUp (void* handle, const char* name)
    {
        return reinterpret_cast<Function> (dlsym (handle, name));
    }
} // namespace

//==============================================================================
VstLibrary::VstLibrary (const std::string& path)
    : handle (dlopen (path.c_str(), RTLD_NOW | RTLD_LOCAL))
{
    if (handle == nullptr)
        throw std::runtime_error (std::string ("dlopen failed: ") + dlerror());

    vstPluginMainEntry = lookUp<EntryPoint> (handle, "VSTPluginMain");
    mainEntryPoint = lookUp<EntryPoint> (handle, "main");
}

VstLibrary::~VstLibrary()
{
    dlclose (handle);
}

//==============================================================================
VstHost::VstHost (std::shared_ptr<VstLibrary> libraryToUse, double initialSampleRate, int initialBlockSize)
    : library (std::move (libraryToUse)), sampleRate (initialSampleRate), blockSize (initialBlockSize)
{
    if (library->vstPluginMain() == nullptr)
        throw std::runtime_error ("the binary exports no VSTPluginMain");

    hostUnderConstruction = this;
    plugin = library->vstPluginMain() (&VstHost::hostCallback);
    hostUnderConstruction = nullptr;

    if (plugin == nullptr)
        throw std::runtime_error ("VSTPluginMain returned no effect");

    plugin->user = this;
    dispatch (effOpen);
    setSampleRate (sampleRate);
    setBlockSize (blockSize);
}

VstHost::~VstHost()
{
    dispatch (effClose);
}

std::intptr_t VstHost::dispatch (int opcode, int index, std::intptr_t value, void* ptr, float opt)
{
    return plugin->dispatcher (plugin, opcode, index, value, ptr, opt);
}

//==============================================================================
void VstHost::setSampleRate (double newSampleRate)
{
    sampleRate = newSampleRate;
    dispatch (effSetSampleRate, 0, 0, nullptr, static_cast<float> (sampleRate));
}

void VstHost::setBlockSize (int newBlockSize)
{
    blockSize = newBlockSize;
    dispatch (effSetBlockSize, 0, blockSize);
}

void VstHost::resume()
{
    dispatch (effMainsChanged, 0, 1);
}

void VstHost::suspend()
{
    dispatch (effMainsChanged, 0, 0);
}

void VstHost::process (const std::vector<std::vector<float>>& input, std::vector<std::vector<float>>& output)
{
    const auto numSamples = input.empty() ? 0 : input.front().size();
    output.assign (static_cast<std::size_t> (plugin->numOutputs), std::vector<float> (numSamples, 0.0f));

    std::vector<std::vector<float>> inputCopy (static_cast<std::size_t> (plugin->numInputs), std::vector<float> (numSamples, 0.0f));
    std::copy_n (input.begin(), std::min (input.size(), inputCopy.size()), inputCopy.begin());

    std::vector<float*> inputPointers, outputPointers;

    for (auto& channel : inputCopy)
        inputPointers.push_back (channel.data());

    for (auto& channel : output)
        outputPointers.push_back (channel.data());

    plugin->processReplacing (plugin, inputPointers.data(), outputPointers.data(), static_cast<int> (numSamples));
    samplePosition += static_cast<double> (numSamples);
}

std::intptr_t VstHost::sendMidi (const std::vector<HostMidiEvent>& events)
{
    std::vector<VstMidiEvent> midiEvents (events.size());
    std::vector<char> storage (sizeof (VstEvents) + events.size() * sizeof (VstEvent*));
    auto* list = reinterpret_cast<VstEvents*> (storage.data());
    list->numEvents = static_cast<int> (events.size());

    for (std::size_t i = 0; i < events.size(); ++i)
    {
        auto& midi = midiEvents[i];
        midi.type = kVstMidiType;
        midi.byteSize = static_cast<int> (sizeof (VstMidiEvent));
        midi.deltaFrames = events[i].sampleOffset;
        midi.midiData[0] = events[i].status;
        midi.midiData[1] = events[i].data1;
        midi.midiData[2] = events[i].data2;
        list->events[i] = reinterpret_cast<VstEvent*> (&midi);
    }

    return dispatch (effProcessEvents, 0, 0, list);
}

//==============================================================================
float VstHost::getParameter (int index)
{
    return plugin->getParameter (plugin, index);
}

void VstHost::setParameter (int index, float value)
{
    plugin->setParameter (plugin, index, value);
}

std::string VstHost::readString (int opcode, int index, std::size_t capacity)
{
    std::vector<char> text (capacity + 1, '\0');
    dispatch (opcode, index, 0, text.data());
    return text.data();
}

std::string VstHost::parameterName (int index)
{
    return readString (effGetParamName, index, 64);
}
std::string VstHost::parameterLabel (int index)
{
    return readString (effGetParamLabel, index, 64);
}
std::string VstHost::parameterDisplay (int index)
{
    return readString (effGetParamDisplay, index, 64);
}
std::string VstHost::effectName()
{
    return readString (effGetEffectName, 0, 256);
}
std::string VstHost::vendorString()
{
    return readString (effGetVendorString, 0, 256);
}
std::string VstHost::productString()
{
    return readString (effGetProductString, 0, 256);
}

std::intptr_t VstHost::canDo (const std::string& feature)
{
    return dispatch (effCanDo, 0, 0, const_cast<char*> (feature.c_str()));
}

std::vector<char> VstHost::getChunk()
{
    void* data = nullptr;
    const auto size = dispatch (effGetChunk, 0, 0, &data);

    if (size <= 0 || data == nullptr)
        return {};

    const auto* bytes = static_cast<const char*> (data);
    return { bytes, bytes + size };
}

std::intptr_t VstHost::setChunk (const std::vector<char>& chunk)
{
    auto copy = chunk;
    return dispatch (effSetChunk, 0, static_cast<std::intptr_t> (copy.size()), copy.data());
}

//==============================================================================
std::vector<HostEditRecord> VstHost::editRecords() const
{
    const std::lock_guard<std::mutex> lock (editLock);
    return edits;
}

void VstHost::clearEditRecords()
{
    const std::lock_guard<std::mutex> lock (editLock);
    edits.clear();
}

std::vector<HostWindowSizeRequest> VstHost::windowSizeRequests() const
{
    return sizeRequests;
}

void VstHost::record (const HostEditRecord& edit)
{
    if (editCallbackWork)
        editCallbackWork();

    const std::lock_guard<std::mutex> lock (editLock);
    edits.push_back (edit);
}

//==============================================================================
std::intptr_t VSTCALLBACK VstHost::hostCallback (AEffect* effect, int opcode, int index, std::intptr_t value, void* ptr, float opt)
{
    auto* host = (effect != nullptr && effect->user != nullptr) ? static_cast<VstHost*> (effect->user)
                                                                : hostUnderConstruction;

    if (host == nullptr)
        return opcode == audioMasterVersion ? kVstVersion : 0;

    return host->answer (opcode, index, value, ptr, opt);
}

std::intptr_t VstHost::answer (int opcode, int index, std::intptr_t value, const void* ptr, float opt)
{
    switch (opcode)
    {
        case audioMasterVersion:
            return kVstVersion;

        case audioMasterGetSampleRate:
            return static_cast<std::intptr_t> (sampleRate);

        case audioMasterGetBlockSize:
            return blockSize;

        case audioMasterGetCurrentProcessLevel:
            return kVstProcessLevelRealtime;

        case audioMasterGetTime:
            timeInfo = {};
            timeInfo.sampleRate = sampleRate;
            timeInfo.samplePos = samplePosition;
            timeInfo.timeSigNumerator = 4;
            timeInfo.timeSigDenominator = 4;
            timeInfo.flags = kVstTransportPlaying | kVstTimeSigValid | kVstTempoValid;
            timeInfo.tempo = tempo;
            return reinterpret_cast<std::intptr_t> (&timeInfo);

        case audioMasterBeginEdit:
            record ({ HostEditRecord::Kind::beginEdit, index, 0.0f });
            return 1;

        case audioMasterAutomate:
            record ({ HostEditRecord::Kind::automate, index, opt });
            return 1;

        case audioMasterEndEdit:
            record ({ HostEditRecord::Kind::endEdit, index, 0.0f });
            return 1;

        case audioMasterCanDo:
            return ptr != nullptr && std::strcmp (static_cast<const char*> (ptr), "sizeWindow") == 0 ? 1 : 0;

        case audioMasterSizeWindow:
            sizeRequests.push_back ({ index, static_cast<int> (value) });
            return 1;

        default:
            return 0;
    }
}
} // namespace tavelin::test
