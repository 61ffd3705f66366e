#include "bare_http.h"

#include <QElapsedTimer>

#include <curl/curl.h>

namespace bench {

namespace {

size_t discard(char*, size_t size, size_t count, void*) {
    return size * count;
}

} // namespace

qint64 postBareHttp(const QString& url, const QByteArray& body, int count, int* failures) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    CURL* easy = curl_easy_init();
    curl_slist* headers = curl_slist_append(nullptr, "Expect:");
    headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
    const QByteArray target = url.toUtf8();
    curl_easy_setopt(easy, CURLOPT_URL, target.constData());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
    curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, "devSoft's ipwHTTP Component V1.0");
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(easy, CURLOPT_POST, 1L);
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, body.constData());
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &discard);

    int failed = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        long status = 0;
        if (curl_easy_perform(easy) != CURLE_OK ||
            curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK || status < 200 || status >= 300)
            ++failed;
    }
    const qint64 elapsed = clock.elapsed();

    curl_slist_free_all(headers);
    curl_easy_cleanup(easy);
    if (failures)
        *failures = failed;
    return elapsed;
}

} // namespace bench
