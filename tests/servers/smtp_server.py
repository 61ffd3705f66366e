"""SMTP test server on aiosmtpd, listening on 127.0.0.1 on a free port.

Usage: smtp_server.py FOLDER [--reject ADDR]... [--reject-sender ADDR]...
                     [--drop-on CMD] [--stall-on CMD] [--stall-seconds N]

Each accepted message is stored whole as FOLDER/<n>.eml (the bytes as they
arrived, dot-stuffing removed) and FOLDER/<n>.json with the envelope sender and
recipients; the .json file is written last, so its presence means the message
is complete. Listed recipients (RCPT) and senders (MAIL) get 550.
CMD is EHLO, MAIL, RCPT, DATA (the command) or CONTENT (the end of the message
text, before the server's reply). --drop-on closes the connection there without
a reply; --stall-on waits N seconds (default 600) before going on.
Prints "PORT <n>" once listening.
"""

import argparse
import asyncio
import json
import os
import sys

from aiosmtpd.smtp import SMTP


def parse_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--reject", action="append", default=[])
    parser.add_argument("--reject-sender", action="append", default=[])
    parser.add_argument("--drop-on", default="")
    parser.add_argument("--stall-on", default="")
    parser.add_argument("--stall-seconds", type=float, default=600.0)
    return parser.parse_args()


ARGS = parse_args()
COUNTER = [0]


def lower_set(items):
    return {item.lower() for item in items}


REJECTED = lower_set(ARGS.reject)
REJECTED_SENDERS = lower_set(ARGS.reject_sender)


async def interfere(server, point):
    """Drops or stalls the session at the given point; True when dropped."""
    if ARGS.stall_on.upper() == point:
        await asyncio.sleep(ARGS.stall_seconds)
    if ARGS.drop_on.upper() == point:
        if server.transport is not None:
            server.transport.abort()
        return True
    return False


class Handler:
    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        if address.lower() in REJECTED_SENDERS:
            return "550 5.1.8 Sender address rejected"
        envelope.mail_from = address
        envelope.mail_options.extend(mail_options)
        return "250 OK"

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.lower() in REJECTED:
            return "550 5.1.1 Recipient address rejected"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if await interfere(server, "CONTENT"):
            return "421 closing"
        COUNTER[0] += 1
        base = os.path.join(ARGS.folder, "%d" % COUNTER[0])
        with open(base + ".eml", "wb") as f:
            f.write(envelope.original_content)
        meta = {"mail_from": envelope.mail_from, "rcpt_tos": envelope.rcpt_tos}
        with open(base + ".json.tmp", "w") as f:
            json.dump(meta, f)
        os.replace(base + ".json.tmp", base + ".json")
        return "250 Message accepted for delivery"


class TestSMTP(SMTP):
    async def smtp_EHLO(self, arg):
        if not await interfere(self, "EHLO"):
            await super().smtp_EHLO(arg)

    async def smtp_MAIL(self, arg):
        if not await interfere(self, "MAIL"):
            await super().smtp_MAIL(arg)

    async def smtp_RCPT(self, arg):
        if not await interfere(self, "RCPT"):
            await super().smtp_RCPT(arg)

    async def smtp_DATA(self, arg):
        if not await interfere(self, "DATA"):
            await super().smtp_DATA(arg)


async def main():
    os.makedirs(ARGS.folder, exist_ok=True)
    loop = asyncio.get_running_loop()
    server = await loop.create_server(
        lambda: TestSMTP(Handler(), hostname="127.0.0.1", data_size_limit=None),
        host="127.0.0.1", port=0)
    print("PORT %d" % server.sockets[0].getsockname()[1], flush=True)
    async with server:
        await server.serve_forever()


if __name__ == "__main__":
    try:
        asyncio.run(main())
    except KeyboardInterrupt:
        sys.exit(0)
