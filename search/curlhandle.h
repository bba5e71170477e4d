#pragma once

#include <curl/curl.h>

#include <memory>

namespace qingyou {

struct CurlEasyDeleter {
  void operator()(CURL* handle) const noexcept { curl_easy_cleanup(handle); }
};
using CurlEasyHandle = std::unique_ptr<CURL, CurlEasyDeleter>;

struct CurlShareDeleter {
  void operator()(CURLSH* handle) const noexcept { curl_share_cleanup(handle); }
};
using CurlShareHandle = std::unique_ptr<CURLSH, CurlShareDeleter>;

struct CurlSlistDeleter {
  void operator()(curl_slist* list) const noexcept { curl_slist_free_all(list); }
};
using CurlSlistHandle = std::unique_ptr<curl_slist, CurlSlistDeleter>;

}  // namespace qingyou
