#!/usr/bin/python3
"""HTTP server for the tests, on 127.0.0.1 and a free port.

    http_server.py LOGFILE [FILES_DIR]

Prints "PORT <n>" once it listens. Every request is appended to LOGFILE as
one JSON line: method, path (as sent: an absolute URI when the request came
through a proxy), proxied, the path without scheme and host (target),
headers (names in lower case) and the body (bytes as Latin-1 code points).

Routes (the target's path; query strings are ignored unless named):
  /ok, anything not listed     200, short text body
  /chunks?n=N&size=S&ms=T      200, N blocks of S bytes, T ms apart
  /huge?size=N                 200, N bytes streamed in 64 KiB blocks
  /redirect/REASON             302 with that reason phrase (URL-decoded)
  /status/CODE[/REASON]        that status, with the given or standard reason
  /hang?s=N                    reads the request, answers nothing, waits until
                               the client goes away (at most N s, default 120)
  /drop                        headers announcing 1000 bytes, 100 sent, closed
  /garbage                     a few lines that are not HTTP, then closed
  /files/NAME                  the file NAME of FILES_DIR, or 404
"""

import json
import os
import select
import socket
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

LOG_LOCK = threading.Lock()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "TestHTTP/1.0"

    def log_message(self, format, *args):  # keep the test output quiet
        pass

    def record(self, body):
        parsed = urllib.parse.urlsplit(self.path)
        entry = {
            "method": self.command,
            "path": self.path,
            "proxied": bool(parsed.scheme),
            "target": urllib.parse.urlunsplit(("", "", parsed.path, parsed.query, "")),
            "headers": {k.lower(): v for k, v in self.headers.items()},
            "body": body.decode("latin-1"),
        }
        with LOG_LOCK:
            with open(self.server.log_path, "a", encoding="utf-8") as log:
                log.write(json.dumps(entry) + "\n")
        return parsed

    def read_body(self):
        length = int(self.headers.get("Content-Length") or 0)
        body = b""
        while len(body) < length:
            block = self.rfile.read(min(65536, length - len(body)))
            if not block:
                break
            body += block
        return body

    def do_GET(self):
        self.handle_any()

    def do_POST(self):
        self.handle_any()

    def do_HEAD(self):
        self.handle_any()

    def answer(self, code, body=b"", reason=None, length=None, content_type="text/plain"):
        self.send_response(code, reason)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.send_header("Connection", "close")
        if code in (301, 302, 303, 307):
            self.send_header("Location", "/ok")
        self.end_headers()
        self.close_connection = True
        return body

    def handle_any(self):
        body = self.read_body()
        parsed = self.record(body)
        path = urllib.parse.unquote(parsed.path)
        query = {k: v[-1] for k, v in urllib.parse.parse_qs(parsed.query).items()}
        try:
            self.route(path, query)
        except (BrokenPipeError, ConnectionResetError):
            pass

    def route(self, path, query):
        out = self.wfile
        if path == "/chunks":
            n, size, ms = int(query.get("n", 5)), int(query.get("size", 1000)), int(query.get("ms", 50))
            self.answer(200, length=n * size)
            out.flush()
            for i in range(n):
                out.write(bytes([ord("a") + i % 26]) * size)
                out.flush()
                time.sleep(ms / 1000.0)
        elif path == "/huge":
            size = int(query.get("size", 64 << 20))
            self.answer(200, length=size, content_type="application/octet-stream")
            block = bytes(range(256)) * 256
            left = size
            while left > 0:
                out.write(block[: min(left, len(block))])
                left -= min(left, len(block))
        elif path.startswith("/redirect/"):
            out.write(self.answer(302, b"moved", reason=path[len("/redirect/"):]))
        elif path.startswith("/status/"):
            parts = path[len("/status/"):].split("/", 1)
            out.write(self.answer(int(parts[0]), b"status", reason=parts[1] if len(parts) > 1 else None))
        elif path == "/hang":
            limit = time.monotonic() + float(query.get("s", 120))
            self.close_connection = True
            while time.monotonic() < limit:
                readable, _, _ = select.select([self.connection], [], [], 0.1)
                if readable and not self.connection.recv(1, socket.MSG_PEEK):
                    break  # the client closed its end
        elif path == "/drop":
            self.answer(200, length=1000)
            out.write(b"x" * 100)
            out.flush()
            self.connection.shutdown(socket.SHUT_RDWR)
        elif path == "/garbage":
            out.write(b"this is not an answer\r\nnor is this\r\n\r\n")
            out.flush()
            self.close_connection = True
        elif path.startswith("/files/"):
            name = path[len("/files/"):]
            folder = self.server.files_dir
            full = os.path.realpath(os.path.join(folder or "", name))
            if not folder or os.path.dirname(full) != os.path.realpath(folder) or not os.path.isfile(full):
                out.write(self.answer(404, b"no such file"))
                return
            with open(full, "rb") as f:
                data = f.read()
            out.write(self.answer(200, data, content_type="application/octet-stream"))
        else:
            out.write(self.answer(200, b"hello from the test server"))


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: http_server.py LOGFILE [FILES_DIR]")
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.log_path = sys.argv[1]
    server.files_dir = sys.argv[2] if len(sys.argv) > 2 else None
    print("PORT %d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
