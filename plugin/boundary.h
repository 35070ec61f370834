#pragma once
// The edge between the plugin and its host: a host written in another language
// cannot catch a C++ exception, so every operation it calls runs through here.
#include <cstdio>
#include <exception>
#include <utility>

#include "core/host_services.h"

namespace velmora {

// Writes "ZOLT Velmora [identity] : <operation> failed: <reason>" to the host's
// debug log, whether or not the instance logs; no allocation.
void ReportEscapedException(const HostServices& host, const void* identity, const char* operation,
                            std::exception_ptr error) noexcept;

// Runs work; an exception it throws is reported and `neutral` returned instead.
template <class Result, class Work>
Result Guarded(const HostServices& host, const void* identity, const char* operation, Result neutral,
               Work&& work) noexcept {
    try {
        return std::forward<Work>(work)();
    } catch (...) {
        ReportEscapedException(host, identity, operation, std::current_exception());
        return neutral;
    }
}

template <class Work>
void Guarded(const HostServices& host, const void* identity, const char* operation, Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
    } catch (...) {
        ReportEscapedException(host, identity, operation, std::current_exception());
    }
}

}  // namespace velmora
