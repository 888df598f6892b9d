#!/usr/bin/python3
"""SMTP server for the mail tests, built on aiosmtpd (Debian's python3-aiosmtpd).

Run it with /usr/bin/python3 (Debian's packages are not on other interpreters' paths).
It listens on one address, plain and/or TLS from the first byte, offers PLAIN,
LOGIN and CRAM-MD5 (unless excluded), may refuse chosen recipients, and stores
every message in the spool folder as NNNN.eml (the bytes received) and
NNNN.json (what Python's email package reads from them, plus the envelope).

Standard output, one line each, flushed:
  READY                     every listener is up
  BIND-FAILED <port> <why>  a listener could not be opened (exit status 2)
  CONNECT <port>            a client connected
  CLOSED <port> <VERB>...   a client's connection ended, with the verbs it sent
  STORED <NNNN>             a message was stored
SIGTERM ends it cleanly.
"""

import argparse
import asyncio
import email
import email.policy
import email.utils
import hmac
import json
import os
import secrets
import signal
import ssl
import sys
import time

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword

RECORDED_VERBS = ("HELO", "EHLO", "AUTH", "MAIL", "RCPT", "DATA", "RSET", "NOOP", "STARTTLS")


def say(line):
    print(line, flush=True)


def summarise(envelope, session, port, tls):
    raw = bytes(envelope.original_content or b"")
    message = email.message_from_bytes(raw, policy=email.policy.default)
    as_sent = email.message_from_bytes(raw, policy=email.policy.compat32)
    header_end = raw.find(b"\r\n\r\n")
    body_raw = raw[header_end + 4:] if header_end >= 0 else b""
    body_lines = body_raw.split(b"\r\n") if body_raw else []
    date_text = as_sent.get("Date")
    parsed_date = email.utils.parsedate_tz(str(date_text)) if date_text is not None else None
    payload = message.get_payload(decode=True) if not message.is_multipart() else None
    bare_lf = raw.replace(b"\r\n", b"").count(b"\n")
    bare_cr = raw.replace(b"\r\n", b"").count(b"\r")
    to_header = message.get_all("To", [])
    header_raw = raw[:header_end] if header_end >= 0 else raw
    defects = [type(d).__name__ for d in message.defects]
    for name, value in message.items():
        defects += [f"{name}: {type(d).__name__}" for d in getattr(value, "defects", ())]

    def addresses(name):
        header = message.get(name)
        return [[a.display_name, a.addr_spec] for a in getattr(header, "addresses", ())]
    return {
        "port": port,
        "tls": tls,
        "ehlo": session.host_name,
        "commands": getattr(session, "recorded_verbs", []),
        "authenticated": bool(session.authenticated),
        "auth_mechanism": getattr(session, "auth_mechanism", None),
        "login": session.login_data.decode("utf-8", "replace")
        if isinstance(session.login_data, bytes) else session.login_data,
        "mail_from": envelope.mail_from,
        "rcpt_tos": list(envelope.rcpt_tos),
        "headers": [[name, str(value)] for name, value in message.items()],
        "headers_as_sent": [[name, str(value)] for name, value in as_sent.items()],
        "mime_version": str(message.get("MIME-Version", "")),
        "from": str(message.get("From", "")),
        "to": [address for _, address in email.utils.getaddresses([str(v) for v in to_header])],
        "to_raw": [str(v) for v in to_header],
        "subject": str(message.get("Subject", "")),
        "from_addresses": addresses("From"),
        "to_addresses": addresses("To"),
        "message_id": str(message.get("Message-ID", "")),
        "defects": defects,
        "header_line_max": max((len(line) for line in header_raw.split(b"\r\n")), default=0),
        "date": str(date_text) if date_text is not None else None,
        "date_fields": list(parsed_date[:6]) if parsed_date else None,
        "date_offset_minutes": parsed_date[9] // 60 if parsed_date and parsed_date[9] is not None else None,
        "content_type": message.get_content_type(),
        "charset": message.get_content_charset(),
        "content_transfer_encoding": str(message.get("Content-Transfer-Encoding", "")),
        "body": payload.decode("utf-8", "replace") if payload is not None else None,
        "body_line_max": max((len(line) for line in body_lines), default=0),
        "crlf_only": bare_lf == 0 and bare_cr == 0,
        "size": len(raw),
    }


class Handler:
    def __init__(self, options):
        self.users = dict(options.users)
        self.refusals = dict(options.refusals)
        self.spool = options.spool
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        refusal = self.refusals.get(address)
        if refusal:
            return refusal
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        name = f"{self.count:04d}"
        sockname = server.transport.get_extra_info("sockname")
        tls = server.transport.get_extra_info("sslcontext") is not None
        with open(os.path.join(self.spool, name + ".eml.part"), "wb") as f:
            f.write(bytes(envelope.original_content or b""))
        os.replace(os.path.join(self.spool, name + ".eml.part"), os.path.join(self.spool, name + ".eml"))
        summary = summarise(envelope, session, sockname[1] if sockname else 0, tls)
        with open(os.path.join(self.spool, name + ".json.part"), "w", encoding="utf-8") as f:
            json.dump(summary, f, ensure_ascii=False, indent=1)
        os.replace(os.path.join(self.spool, name + ".json.part"), os.path.join(self.spool, name + ".json"))
        say(f"STORED {name}")
        return "250 2.0.0 OK queued"

    # The name maps "__" to "-": offered as CRAM-MD5.
    async def auth_CRAM__MD5(self, server, args):
        if len(args) != 1:
            await server.push("501 5.5.2 Syntax: AUTH CRAM-MD5")
            return AuthResult(success=False, handled=True)
        challenge = f"<{secrets.token_hex(8)}.{int(time.time())}@localhost>".encode()
        response = await server.challenge_auth(challenge)
        if not isinstance(response, bytes):
            return AuthResult(success=False, handled=True)
        server.session.auth_mechanism = "CRAM-MD5"
        if b" " not in response:
            return AuthResult(success=False, handled=False)
        user, digest = response.rsplit(b" ", 1)
        password = self.users.get(user.decode("utf-8", "replace"))
        ok = password is not None and hmac.compare_digest(
            hmac.new(password.encode("utf-8"), challenge, "md5").hexdigest().encode(), digest.lower())
        return AuthResult(success=ok, handled=False, auth_data=LoginPassword(user, b"") if ok else None)


def make_authenticator(users):
    def authenticator(server, session, envelope, mechanism, auth_data):
        session.auth_mechanism = mechanism
        ok = (isinstance(auth_data, LoginPassword)
              and users.get(auth_data.login.decode("utf-8", "replace")) == auth_data.password.decode("utf-8", "replace"))
        # handled=False: aiosmtpd then sends the failure reply itself.
        return AuthResult(success=ok, handled=False, auth_data=auth_data if ok else None)
    return authenticator


class RecordingSMTP(SMTP):
    """Notes each connection and the verbs of each session."""

    def __init__(self, *args, port=0, **kwargs):
        super().__init__(*args, **kwargs)
        self._listen_port = port

    def connection_made(self, transport):
        super().connection_made(transport)
        say(f"CONNECT {self._listen_port}")

    def connection_lost(self, error):
        verbs = getattr(self.session, "recorded_verbs", []) if self.session is not None else []
        say(" ".join([f"CLOSED {self._listen_port}"] + verbs))
        super().connection_lost(error)

    def _record(self, verb):
        if self.session is not None:
            if not hasattr(self.session, "recorded_verbs"):
                self.session.recorded_verbs = []
            self.session.recorded_verbs.append(verb)


def recording(verb):
    method = getattr(SMTP, "smtp_" + verb)

    async def wrapper(self, arg):
        self._record(verb)
        return await method(self, arg)
    wrapper.__name__ = "smtp_" + verb
    return wrapper


for _verb in RECORDED_VERBS:
    setattr(RecordingSMTP, "smtp_" + _verb, recording(_verb))


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--address", required=True)
    parser.add_argument("--plain-port", type=int, action="append", default=[])
    parser.add_argument("--tls-port", type=int, action="append", default=[])
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--user", action="append", default=[], help="NAME:PASSWORD")
    parser.add_argument("--exclude-mechanism", action="append", default=[])
    parser.add_argument("--no-auth", action="store_true", help="offer no authentication at all")
    parser.add_argument("--refuse", action="append", default=[], help="ADDRESS=REPLY, e.g. a@b.org=550 no such user")
    parser.add_argument("--spool", required=True)
    options = parser.parse_args()
    options.users = [tuple(u.split(":", 1)) for u in options.user]
    options.refusals = [tuple(r.split("=", 1)) for r in options.refuse]
    if options.tls_port and not (options.cert and options.key):
        parser.error("--tls-port needs --cert and --key")
    return options


def main():
    options = parse_arguments()
    os.makedirs(options.spool, exist_ok=True)
    handler = Handler(options)
    authenticator = None if options.no_auth else make_authenticator(handler.users)
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)

    context = None
    if options.tls_port:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(options.cert, options.key)

    def factory(port):
        def make():
            if options.no_auth:
                # Without an authenticator and with TLS demanded for AUTH (which
                # aiosmtpd only sees after STARTTLS), no AUTH line is offered.
                return RecordingSMTP(handler, port=port, hostname="localhost")
            return RecordingSMTP(handler, port=port, hostname="localhost", authenticator=authenticator,
                                 auth_required=False, auth_require_tls=False,
                                 auth_exclude_mechanism=options.exclude_mechanism)
        return make

    servers = []
    listeners = [(p, None) for p in options.plain_port] + [(p, context) for p in options.tls_port]
    for port, tls in listeners:
        try:
            servers.append(loop.run_until_complete(
                loop.create_server(factory(port), options.address, port, ssl=tls, reuse_address=True)))
        except OSError as error:
            say(f"BIND-FAILED {port} {error.strerror or error}")
            return 2

    loop.add_signal_handler(signal.SIGTERM, loop.stop)
    loop.add_signal_handler(signal.SIGINT, loop.stop)
    say("READY")
    try:
        loop.run_forever()
    finally:
        for server in servers:
            server.close()
        loop.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
