// The version document over HTTP with libcurl.
#include "platform/net/curl_version_source.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>

namespace kubrix {

namespace {

struct Transfer {
    std::string body;
    const ManualResetEvent& exitRequested;
};

std::size_t keepBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& transfer = *static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    const std::size_t room = UpdateCheck::kMaxDocumentBytes - transfer.body.size();
    transfer.body.append(data, std::min(bytes, room));
    // Taking less than was offered ends the transfer: the rest is never read.
    return bytes <= room ? bytes : 0;
}

int abortOnExit(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<Transfer*>(user)->exitRequested.isSet() ? 1 : 0;
}

using EasyHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using HeaderList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

} // namespace

CurlVersionSource::CurlVersionSource(std::string url, FetchTimeLimits limits)
    : url_(std::move(url)), limits_(limits)
{
    // Counted by libcurl: each construction is matched by the destructor's cleanup.
    curl_global_init(CURL_GLOBAL_DEFAULT);
}

CurlVersionSource::~CurlVersionSource()
{
    curl_global_cleanup();
}

std::optional<std::string>
CurlVersionSource::fetchVersionDocument(const ManualResetEvent& exitRequested)
{
    const EasyHandle curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
        return std::nullopt;
    // Neither the proxy's nor any other cache may answer for the site.
    curl_slist* list = curl_slist_append(nullptr, "Cache-Control: no-cache");
    if (curl_slist* more = list ? curl_slist_append(list, "Pragma: no-cache") : nullptr)
        list = more;
    const HeaderList headers(list, &curl_slist_free_all);
    Transfer transfer{{}, exitRequested};
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, url_.c_str());
    curl_easy_setopt(handle, CURLOPT_USERAGENT, "Kubrix");
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(handle, CURLOPT_FAILONERROR, 1L);
    // The worker is not the main thread: no signals for the name look-up's time limit.
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits_.connect.count()));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(limits_.total.count()));
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &keepBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &abortOnExit);
    curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);

    const CURLcode result = curl_easy_perform(handle);
    const bool whole = result == CURLE_OK;
    const bool cutAtTheLimit =
        result == CURLE_WRITE_ERROR && transfer.body.size() == UpdateCheck::kMaxDocumentBytes;
    if (exitRequested.isSet() || !(whole || cutAtTheLimit))
        return std::nullopt;
    return std::move(transfer.body);
}

} // namespace kubrix
