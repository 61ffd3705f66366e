#pragma once

#include <QByteArray>
#include <QString>

namespace bench {

// The floor for HTTP submission timings: posts body to url count times, one
// request after the other, with a single plain libcurl easy handle and no
// event loop, and returns the elapsed milliseconds. Each request opens its own
// connection and sends the same headers as the program's HTTP client, so the
// difference to a run is the program's own cost. failures, when given,
// receives the number of requests that did not end in a 2xx answer.
qint64 postBareHttp(const QString& url, const QByteArray& body, int count, int* failures = nullptr);

} // namespace bench
