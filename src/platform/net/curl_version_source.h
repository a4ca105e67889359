// The version document fetched over HTTP with libcurl, for the update check's worker.
#pragma once

#include "core/shell/update_check.h"

#include <chrono>
#include <string>

namespace kubrix {

// How long connecting and the whole transfer may take.
struct FetchTimeLimits {
    std::chrono::milliseconds connect{5000};
    std::chrono::milliseconds total{10000};
};

// An uncached GET under the agent name "Kubrix" that keeps at most the first
// UpdateCheck::kMaxDocumentBytes of the answer. Connecting and the whole transfer are limited
// in time, and an exit request stops the transfer within about a second, so a server that
// accepts and then never answers cannot hold up the program's exit. An answer with an HTTP
// error status counts as no document, whatever its text.
class CurlVersionSource final : public VersionSource {
public:
    explicit CurlVersionSource(std::string url, FetchTimeLimits limits = {});
    ~CurlVersionSource() override;
    CurlVersionSource(const CurlVersionSource&) = delete;
    CurlVersionSource& operator=(const CurlVersionSource&) = delete;

    std::optional<std::string> fetchVersionDocument(const ManualResetEvent& exitRequested) override;

private:
    std::string url_;
    FetchTimeLimits limits_;
};

} // namespace kubrix
