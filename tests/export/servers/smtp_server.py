"""A recording SMTP server for the mail tests.

Every received message goes into OUT/<n>/: raw.eml, envelope.txt ("from X",
"to Y" per recipient, "auth MECHANISM LOGIN" or "auth none"), subject.txt
(decoded), content_type.txt, body.txt (decoded bytes) and, for each
attachment in order, attachments/<k>_<filename>, listed in attachments.txt.
The bound port is written to PORT_FILE once the server listens.

With --close-in-data N the server records nothing: it answers the commands
up to DATA and then closes the connection after N bytes of the message, as
a server that fails mid-message does.
"""
import argparse
import asyncio
import email
import email.header
import email.policy
import logging
import os
import signal
import socket
import ssl
import sys
import warnings

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult, LoginPassword


class Recorder:
    def __init__(self, out):
        self.out = out
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        folder = os.path.join(self.out, str(self.count))
        self.count += 1
        os.makedirs(os.path.join(folder, "attachments"))
        raw = envelope.original_content or envelope.content
        with open(os.path.join(folder, "raw.eml"), "wb") as f:
            f.write(raw)
        auth = "auth none"
        if session.authenticated:
            auth = "auth %s %s" % (session.auth_data.mechanism, session.auth_data.login)
        with open(os.path.join(folder, "envelope.txt"), "w") as f:
            f.write("from %s\n" % envelope.mail_from)
            for rcpt in envelope.rcpt_tos:
                f.write("to %s\n" % rcpt)
            f.write(auth + "\n")
        message = email.message_from_bytes(raw, policy=email.policy.default)
        with open(os.path.join(folder, "subject.txt"), "w", encoding="utf-8") as f:
            f.write(str(email.header.make_header(email.header.decode_header(message["Subject"]))))
        with open(os.path.join(folder, "content_type.txt"), "w") as f:
            f.write(message.get_content_type())
        if message.is_multipart():
            parts = list(message.iter_parts())
            body, attachments = parts[0], parts[1:]
        else:
            body, attachments = message, []
        with open(os.path.join(folder, "body.txt"), "wb") as f:
            f.write(body.get_payload(decode=True))
        with open(os.path.join(folder, "attachments.txt"), "w") as f:
            for k, part in enumerate(attachments):
                name = part.get_filename()
                f.write("%s\t%s\t%s\n" % (name, part.get_content_type(), part["Content-Transfer-Encoding"]))
                with open(os.path.join(folder, "attachments", "%d_%s" % (k, name)), "wb") as a:
                    a.write(part.get_payload(decode=True))
        with open(os.path.join(self.out, "count"), "w") as f:
            f.write(str(self.count))
        return "250 Message accepted for delivery"


class Mechanism:
    def __init__(self, mechanism, login):
        self.mechanism = mechanism
        self.login = login


def authenticator(user, password):
    def check(server, session, envelope, mechanism, auth_data):
        if not isinstance(auth_data, LoginPassword):
            return AuthResult(success=False, handled=False)
        ok = auth_data.login.decode() == user and auth_data.password.decode() == password
        return AuthResult(success=ok, handled=False, auth_data=Mechanism(mechanism, auth_data.login.decode()))
    return check


def serve_closing_in_data(port_file, limit):
    """A bare SMTP dialogue that hangs up inside the message."""
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(4)
    with open(port_file + ".tmp", "w") as f:
        f.write(str(listener.getsockname()[1]))
    os.rename(port_file + ".tmp", port_file)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    while True:
        conn, _ = listener.accept()
        with conn:
            reader = conn.makefile("rb")
            conn.sendall(b"220 localhost ESMTP\r\n")
            for line in reader:
                verb = line[:4].upper()
                if verb in (b"EHLO", b"HELO"):
                    conn.sendall(b"250-localhost\r\n250 8BITMIME\r\n")
                elif verb == b"DATA":
                    conn.sendall(b"354 End data with <CR><LF>.<CR><LF>\r\n")
                    reader.read(limit)
                    break
                elif verb == b"QUIT":
                    conn.sendall(b"221 Bye\r\n")
                    break
                else:
                    conn.sendall(b"250 OK\r\n")
            reader.close()
            conn.shutdown(socket.SHUT_RDWR)


def main():
    warnings.filterwarnings("ignore")
    logging.getLogger("mail.log").setLevel(logging.CRITICAL)
    p = argparse.ArgumentParser()
    p.add_argument("--port-file", required=True)
    p.add_argument("--out", required=True)
    p.add_argument("--auth", choices=["none", "login", "plain"], default="none",
                   help="none: no AUTH offered; login: LOGIN and PLAIN; plain: PLAIN only")
    p.add_argument("--user", default="user")
    p.add_argument("--password", default="secret")
    p.add_argument("--tls-cert")
    p.add_argument("--tls-key")
    p.add_argument("--close-in-data", type=int, metavar="N",
                   help="hang up after N bytes of the message, record nothing")
    a = p.parse_args()
    if a.close_in_data is not None:
        return serve_closing_in_data(a.port_file, a.close_in_data)

    kwargs = {}
    if a.auth != "none":
        kwargs["authenticator"] = authenticator(a.user, a.password)
        kwargs["auth_require_tls"] = bool(a.tls_cert)
        if a.auth == "plain":
            kwargs["auth_exclude_mechanism"] = ["LOGIN"]
    if a.tls_cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(a.tls_cert, a.tls_key)
        kwargs["tls_context"] = context
        kwargs["require_starttls"] = True
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    controller = Controller(Recorder(a.out), hostname="127.0.0.1", port=port, **kwargs)
    controller.start()
    with open(a.port_file + ".tmp", "w") as f:
        f.write(str(port))
    os.rename(a.port_file + ".tmp", a.port_file)
    signal.sigwait({signal.SIGTERM, signal.SIGINT})
    controller.stop()


if __name__ == "__main__":
    sys.exit(main())
