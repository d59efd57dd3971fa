#pragma once

#include "platform/result.h"

// Failure codes of the SDL audio layer besides E_FAIL (which stands for a driver or device that
// cannot be used).
namespace audio {

// A null pointer, a format other than 16-bit PCM, or a buffer the voice cannot play.
inline constexpr HRESULT InvalidArgument = static_cast<HRESULT>(0x80070057u);
// A call out of order: a second mastering voice, a source voice before the mastering voice, a
// second buffer.
inline constexpr HRESULT InvalidCall = static_cast<HRESULT>(0x88960001u);

}  // namespace audio
