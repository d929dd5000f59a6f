#pragma once

#include <pluginterfaces/fst/aeffectx.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tavelin::test
{
/** One host-side record of what the plug-in told the host about a parameter edit. */
struct HostEditRecord
{
    enum class Kind
    {
        beginEdit,
        automate,
        endEdit
    };

    Kind kind;
    int index;
    float value;
};

/** A size the plug-in asked the host to give its editor's window (audioMasterSizeWindow). */
struct HostWindowSizeRequest
{
    int width, height;
};

/** A MIDI message for effProcessEvents, at a sample offset inside the next block. */
struct HostMidiEvent
{
    int sampleOffset;
    unsigned char status, data1, data2;
};

/** A plug-in binary opened with dlopen; shared by every instance created from it. */
class VstLibrary
{
public:
    explicit VstLibrary (const std::string& path);
    ~VstLibrary();

    using EntryPoint = AEffect* (*) (audioMasterCallback);

    EntryPoint vstPluginMain() const { return vstPluginMainEntry; }
    EntryPoint mainEntry() const { return mainEntryPoint; }

private:
    void* handle = nullptr;
    EntryPoint vstPluginMainEntry = nullptr;
    EntryPoint mainEntryPoint = nullptr;
};

/** A small VST 2.4 host for one plug-in instance: it answers the host callback the way a
    sequencer does (version, time info with a settable tempo, automation records, window sizes
    that the editor asks for) and wraps the dispatcher in plain calls. The instance is opened on construction and closed on destruction.
*/
class VstHost
{
public:
    explicit VstHost (std::shared_ptr<VstLibrary> library, double sampleRate = 44100.0, int blockSize = 512);
    ~VstHost();

    VstHost (const VstHost&) = delete;
    VstHost& operator= (const VstHost&) = delete;

    AEffect& effect() { return *plugin; }
    std::intptr_t dispatch (int opcode, int index = 0, std::intptr_t value = 0, void* ptr = nullptr, float opt = 0.0f);

    //==============================================================================
    void setSampleRate (double newSampleRate);
    void setBlockSize (int newBlockSize);
    void resume();
    void suspend();

    /** Runs processReplacing on separate input and output buffers of the same size. */
    void process (const std::vector<std::vector<float>>& input, std::vector<std::vector<float>>& output);
    std::intptr_t sendMidi (const std::vector<HostMidiEvent>& events);

    //==============================================================================
    float getParameter (int index);
    void setParameter (int index, float value);
    std::string parameterName (int index);
    std::string parameterLabel (int index);
    std::string parameterDisplay (int index);

    std::vector<char> getChunk();
    std::intptr_t setChunk (const std::vector<char>& chunk);

    std::string effectName();
    std::string vendorString();
    std::string productString();
    std::intptr_t canDo (const std::string& feature);

    //==============================================================================
    /** The tempo of the time info offered to the plug-in, flagged valid whatever it is: hosts
        report 0 when stopped, and some have reported NaN.
    */
    void setHostTempo (double bpm) { tempo = bpm; }
    std::vector<HostEditRecord> editRecords() const;
    void clearEditRecords();

    /** The host says it can resize the editor's window, as the Linux hosts do, and records
        each size asked for; it leaves resizing its own window to the test.
    */
    std::vector<HostWindowSizeRequest> windowSizeRequests() const;

    /** Runs first in every edit callback (begin, automate, end) on the plug-in's calling thread:
        a host's own work there, such as taking a mutex of its own. Set it while the plug-in
        makes no edits.
    */
    void setEditCallbackWork (std::function<void()> work) { editCallbackWork = std::move (work); }

private:
    static std::intptr_t VSTCALLBACK hostCallback (AEffect*, int opcode, int index, std::intptr_t value, void* ptr, float opt);
    std::intptr_t answer (int opcode, int index, std::intptr_t value, const void* ptr, float opt);
    void record (const HostEditRecord&);
    std::string readString (int opcode, int index, std::size_t capacity);

    std::shared_ptr<VstLibrary> library;
    AEffect* plugin = nullptr;
    double sampleRate;
    int blockSize;
    double tempo = 120.0;
    double samplePosition = 0.0;
    VstTimeInfo timeInfo{};
    mutable std::mutex editLock; // the plug-in reports edits from its message and audio threads
    std::vector<HostEditRecord> edits;
    std::vector<HostWindowSizeRequest> sizeRequests; // message thread only
    std::function<void()> editCallbackWork;
};
} // namespace tavelin::test
