"""Opens a stored message as a mail client would and prints it as JSON.

Usage: mail_decode.py FILE

Output: {"subject", "from_name", "from_address", "to_name", "to_address",
"date", "message_id", "mime_version", "content_type", "charset", "text",
"attachments": [{"name", "content_type", "kind": "mime"|"uu", "data"
(base64)}], "defects": [...]}.
MIME attachments come from the parts with a file name; uuencoded ones from
"begin <mode> <name>" ... "end" blocks of the decoded text.
"""

import base64
import binascii
import email
import email.policy
import json
import sys


def uu_blocks(text):
    found = []
    lines = text.splitlines()
    i = 0
    while i < len(lines):
        parts = lines[i].split(" ", 2)
        if len(parts) == 3 and parts[0] == "begin" and parts[1].isdigit():
            name = parts[2]
            data = b""
            i += 1
            while i < len(lines) and lines[i] != "end":
                if lines[i]:
                    data += binascii.a2b_uu(lines[i])
                i += 1
            found.append({"name": name, "content_type": "", "kind": "uu",
                          "data": base64.b64encode(data).decode()})
        i += 1
    return found


def main():
    with open(sys.argv[1], "rb") as f:
        raw = f.read()
    msg = email.message_from_bytes(raw, policy=email.policy.default)
    defects = [repr(d) for d in msg.defects]
    sender = msg["from"].addresses[0]
    recipient = msg["to"].addresses[0]

    body = msg.get_body(preferencelist=("plain",))
    text = body.get_content() if body is not None else ""
    text = text.replace("\r\n", "\n")
    attachments = []
    for part in msg.walk():
        defects += [repr(d) for d in part.defects]
        if part.get_filename() is not None:
            attachments.append({
                "name": part.get_filename(),
                "content_type": part.get_content_type(),
                "kind": "mime",
                "data": base64.b64encode(part.get_payload(decode=True)).decode(),
            })
    attachments += uu_blocks(text)

    print(json.dumps({
        "subject": str(msg["subject"]),
        "from_name": sender.display_name,
        "from_address": sender.addr_spec,
        "to_name": recipient.display_name,
        "to_address": recipient.addr_spec,
        "date": str(msg["date"]),
        "message_id": str(msg["message-id"]),
        "mime_version": str(msg["mime-version"]),
        "content_type": msg.get_content_type(),
        "charset": body.get_content_charset() if body is not None else "",
        "text": text,
        "attachments": attachments,
        "defects": defects,
    }))


if __name__ == "__main__":
    main()
