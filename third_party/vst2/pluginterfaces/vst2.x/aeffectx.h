// The VST 2.4 extended interface comes from the FST headers, through our aeffect.h shim.
#pragma once

#include "aeffect.h"
#include <pluginterfaces/fst/aeffectx.h>
