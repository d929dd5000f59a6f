// The VST 2.4 interface comes from the FST headers; JUCE's wrapper includes it under this name.
#pragma once

// A tail of 0 s makes JUCE's wrapper announce that the plug-in is silent when the transport
// stops. Our delay and pitch-shifter tails ring on after the input ends, so that flag must never
// reach a host: the FST enumerator is renamed here and the name the wrapper uses is zero.
#define effFlagsNoSoundInStop effFlagsNoSoundInStopAsDeclaredByFst
#include <pluginterfaces/fst/aeffect.h>
#undef effFlagsNoSoundInStop

enum { effFlagsNoSoundInStop = 0 };
