"""FTP test server on pyftpdlib, listening on 127.0.0.1 on a free port.

Usage: ftp_server.py FOLDER USER PASSWORD [--refuse-stor N] [--refuse-name GLOB]
                     [--read-limit BYTES]

USER with PASSWORD, and anonymous (any password), log on into FOLDER and may
upload there and into its subfolders. A wrong password gets 530.
Uploads are stored as the bytes arrived, also in ASCII mode, so a test sees the
line ends the client sent.
--refuse-stor N   the first N STOR commands are answered with 421 and the
                  connection is closed;
--refuse-name G   every STOR of a file whose name matches G (fnmatch) likewise;
--read-limit B    uploads are received at no more than B bytes a second.
Data connections use passive ports the system picks. Prints "PORT <n>" once
listening.
"""

import argparse
import fnmatch
import os
import sys
import threading
import warnings

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import ThreadedFTPServer


def parse_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("user")
    parser.add_argument("password")
    parser.add_argument("--refuse-stor", type=int, default=0)
    parser.add_argument("--refuse-name", default="")
    parser.add_argument("--read-limit", type=int, default=0)
    return parser.parse_args()


ARGS = parse_args()
LOCK = threading.Lock()
REFUSALS_LEFT = [ARGS.refuse_stor]


class RawDTPHandler(ThrottledDTPHandler):
    read_limit = ARGS.read_limit

    def enable_receiving(self, type, cmd):
        super().enable_receiving(type, cmd)
        self._data_wrapper = None  # keep CR LF as sent in ASCII mode


class Handler(FTPHandler):
    dtp_handler = RawDTPHandler
    banner = "Test FTP server ready."
    auth_failed_timeout = 0.1  # the default 3 s only slows the tests

    def _refuse(self, file):
        if ARGS.refuse_name and fnmatch.fnmatch(os.path.basename(file), ARGS.refuse_name):
            return True
        with LOCK:
            if REFUSALS_LEFT[0] > 0:
                REFUSALS_LEFT[0] -= 1
                return True
        return False

    def ftp_STOR(self, file, mode="w"):
        if self._refuse(file):
            self.respond("421 Service not available, closing control connection.")
            self.close_when_done()
            return None
        return super().ftp_STOR(file, mode)


def main():
    folder = os.path.abspath(ARGS.folder)
    authorizer = DummyAuthorizer()
    authorizer.add_user(ARGS.user, ARGS.password, folder, perm="elradfmwMT")
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")  # write access for anonymous is what the tests want
        authorizer.add_anonymous(folder, perm="elradfmw")
    Handler.authorizer = authorizer
    server = ThreadedFTPServer(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.address[1], flush=True)
    try:
        server.serve_forever(handle_exit=False)
    finally:
        server.close_all()
    return 0


if __name__ == "__main__":
    sys.exit(main())
