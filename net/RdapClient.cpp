#include "RdapClient.h"

#include <curl/curl.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>

namespace {
struct TEasyCleanup
{
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct TMultiCleanup
{
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct TListCleanup
{
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using TEasy = std::unique_ptr<CURL, TEasyCleanup>;
using TMulti = std::unique_ptr<CURLM, TMultiCleanup>;
using THeaders = std::unique_ptr<curl_slist, TListCleanup>;

// Keeps an easy handle in a multi handle for one transfer.
class TTransfer
{
  public:
    TTransfer(CURLM* multi, CURL* easy) : FMulti(multi), FEasy(easy) { curl_multi_add_handle(FMulti, FEasy); }
    ~TTransfer() { curl_multi_remove_handle(FMulti, FEasy); }
    TTransfer(const TTransfer&) = delete;
    TTransfer& operator=(const TTransfer&) = delete;

  private:
    CURLM* FMulti;
    CURL* FEasy;
};

void InitCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t AppendBody(char* data, size_t size, size_t count, void* reply)
{
    std::string& body = static_cast<TRdapClient::TReply*>(reply)->Body;
    const size_t bytes = size * count;
    if (body.size() + bytes > TRdapClient::MaxBodyBytes)
        return 0; // ends the transfer as a failure
    body.append(data, bytes);
    return bytes;
}

using nlohmann::json;

std::string Joined(const json& items, const char* field)
{
    std::string text;
    if (!items.is_array())
        return text;
    for (const json& item : items) {
        const json& value = field ? item.value(field, json()) : item;
        if (value.is_string())
            text += (text.empty() ? "" : ", ") + value.get<std::string>();
    }
    return text;
}

std::string EventDate(const json& domain, const char* action)
{
    for (const json& event : domain.value("events", json::array()))
        if (event.is_object() && event.value("eventAction", "") == action)
            return event.value("eventDate", "");
    return {};
}

// The "fn" of the registrar entity's vCard.
std::string Registrar(const json& domain)
{
    for (const json& entity : domain.value("entities", json::array())) {
        if (!entity.is_object())
            continue;
        const json roles = entity.value("roles", json::array());
        if (std::find(roles.begin(), roles.end(), "registrar") == roles.end())
            continue;
        const json card = entity.value("vcardArray", json::array());
        if (card.is_array() && card.size() > 1 && card[1].is_array())
            for (const json& property : card[1])
                if (property.is_array() && property.size() > 3 && property[0] == "fn" &&
                    property[3].is_string())
                    return property[3].get<std::string>();
    }
    return {};
}

std::string DomainText(const json& domain, std::string_view asked)
{
    std::string text = "Domain Name: " + domain.value("ldhName", std::string(asked)) + "\n";
    const auto line = [&text](const char* label, const std::string& value) {
        if (!value.empty())
            text += std::string(label) + ": " + value + "\n";
    };
    line("Status", Joined(domain.value("status", json::array()), nullptr));
    line("Registrar", Registrar(domain));
    line("Created", EventDate(domain, "registration"));
    line("Expires", EventDate(domain, "expiration"));
    line("Name servers", Joined(domain.value("nameservers", json::array()), "ldhName"));
    return text;
}

TVerdict Verdict(TVerdictKind kind, TNoAnswer reason = TNoAnswer::Failed)
{
    TVerdict verdict;
    verdict.Kind = kind;
    verdict.Reason = reason;
    verdict.Recognised = true;
    return verdict;
}
} // namespace

std::string RdapDomainUrl(std::string_view base, std::string_view asked)
{
    std::string url(base);
    if (!url.empty() && url.back() != '/')
        url += '/';
    return url + "domain/" + std::string(asked);
}

TRdapClient::TReply TRdapClient::Get(const std::string& url)
{
    InitCurlOnce();
    TReply reply;
    const TEasy easy(curl_easy_init());
    const TMulti multi(curl_multi_init());
    const THeaders headers(curl_slist_append(nullptr, "Accept: application/rdap+json, application/json"));
    if (!easy || !multi || !headers) {
        reply.Error = "cannot start an HTTP request";
        return reply;
    }
    CURL* handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, long(ConnectTimeoutMs));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, long(TotalTimeoutMs));
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &reply);

    const TTransfer transfer(multi.get(), handle);
    using Clock = std::chrono::steady_clock;
    auto lastIdle = Clock::now();
    for (int running = 1;;) {
        curl_multi_perform(multi.get(), &running);
        if (!running)
            break;
        curl_multi_poll(multi.get(), nullptr, 0, IdleSliceMs, nullptr);
        if (Clock::now() - lastIdle >= std::chrono::milliseconds(IdleSliceMs)) {
            lastIdle = Clock::now();
            if (OnIdle)
                OnIdle();
            if (Aborted && Aborted()) {
                reply.Aborted = true;
                return reply;
            }
        }
    }
    int left = 0;
    CURLcode result = CURLE_OK;
    while (const CURLMsg* message = curl_multi_info_read(multi.get(), &left))
        if (message->msg == CURLMSG_DONE)
            result = message->data.result;
    if (result != CURLE_OK) {
        reply.Error = curl_easy_strerror(result);
        reply.Body.clear();
        return reply;
    }
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &reply.Status);
    curl_off_t retryAfter = 0;
    if (curl_easy_getinfo(handle, CURLINFO_RETRY_AFTER, &retryAfter) == CURLE_OK && retryAfter > 0)
        reply.RetryAfter = std::min(double(retryAfter), MaxNamedWaitSeconds);
    return reply;
}

TCheckResult RdapResult(const TRdapClient::TReply& reply, std::string_view asked)
{
    TCheckResult result;
    const std::string name(asked);
    if (reply.Aborted) {
        result.Verdict = Verdict(TVerdictKind::NotAnswered, TNoAnswer::Stopped);
        return result;
    }
    switch (reply.Status) {
    case 200: {
        // A reply of another shape than RDAP's is no verdict.
        try {
            const json domain = json::parse(reply.Body);
            if (domain.is_object() && domain.value("objectClassName", "") == "domain") {
                result.Verdict = Verdict(TVerdictKind::Taken);
                result.Answer = "RDAP:\n" + DomainText(domain, asked);
                return result;
            }
        } catch (const json::exception&) {
        }
        result.Answer = "RDAP: the registry's reply about " + name + " cannot be read.";
        break;
    }
    case 404:
        result.Verdict = Verdict(TVerdictKind::Free);
        result.Answer = "RDAP: the registry has no domain " + name + ".";
        return result;
    case 429:
        result.Verdict = Verdict(TVerdictKind::Limited, TNoAnswer::Limited);
        result.Verdict.WaitSeconds = reply.RetryAfter;
        result.Answer = "RDAP: the registry asks to wait before the next question.";
        return result;
    case 0:
        result.Answer = "RDAP: no reply about " + name + ": " + reply.Error;
        break;
    default:
        result.Answer =
            "RDAP: the registry answered " + std::to_string(reply.Status) + " about " + name + ".";
        break;
    }
    result.Verdict = Verdict(TVerdictKind::NotAnswered, TNoAnswer::Failed);
    return result;
}
