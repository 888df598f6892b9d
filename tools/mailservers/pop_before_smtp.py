#!/usr/bin/python3
"""The mail tests' SMTP server (smtp_test_server.py) demanding "POP before SMTP".

Takes every option of smtp_test_server.py, plus:
  --pop-log PATH   the POP3 server's log (dovecot's log_path)
  --pop-user NAME  whose POP3 log-in opens the way

MAIL FROM is answered with 530 unless the POP3 log shows more log-ins of that
user ("Login: user=<NAME>") than MAIL FROM commands accepted so far: each
accepted mail uses up one log-in. A log-in line may reach the log a little
after the client saw its "+OK", so the server waits up to 1 s for it.
"""

import argparse
import asyncio
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import smtp_test_server as base  # noqa: E402


def count_logins(path, marker):
    try:
        with open(path, "rb") as f:
            return f.read().count(marker)
    except OSError:
        return 0


def main():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--pop-log", required=True)
    parser.add_argument("--pop-user", required=True)
    ours, rest = parser.parse_known_args()
    marker = f"Login: user=<{ours.pop_user}>".encode()
    used = 0

    async def handle_MAIL(self, server, session, envelope, address, mail_options):
        nonlocal used
        for _ in range(21):
            logins = count_logins(ours.pop_log, marker)
            if logins > used:
                used += 1
                envelope.mail_from = address
                envelope.mail_options.extend(mail_options)
                return "250 OK"
            await asyncio.sleep(0.05)
        base.say("REFUSED-MAIL no POP3 log-in")
        return "530 5.7.0 Log in by POP3 first"

    base.Handler.handle_MAIL = handle_MAIL
    sys.argv = [sys.argv[0]] + rest
    return base.main()


if __name__ == "__main__":
    sys.exit(main())
