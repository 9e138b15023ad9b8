#pragma once
#include "common/Parallel.h"

namespace background {

// The painter's loops share their rows among threads with the helpers the map builder uses too.
namespace parallel = common::parallel;

}  // namespace background
