#pragma once

#include <windows.h>

#include <new>
#include <string>

#include "host/host_error.h"

namespace tabulara::com {

// The HRESULT of a raised error: the runtime's own numbers in the control
// facility, its description left for the caller in the thread's error info.
HRESULT ErrorResult(long number, const std::string& description);

// Runs the body of a COM entry point: no exception leaves it.
template <typename Body>
HRESULT Guarded(Body&& body) noexcept {
  try {
    return body();
  } catch (const host::HostError& error) {
    return ErrorResult(error.Number(), error.Description());
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace tabulara::com
