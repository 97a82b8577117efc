#include "windows/standard_streams.h"

namespace windows {

// A Windows program has no signal for a broken pipe, and a standard handle
// it was started without is no number another file could take.
void SecureStandardStreams()
{
}

} // namespace windows
