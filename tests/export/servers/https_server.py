"""A local HTTPS server for the geocoding tests.

The first path component picks the reply:
  /ok/...       200, XML whose <formatted_address> names the asked latlng
  /noaddr/...   200, an XML error reply without <formatted_address>
  /err500/...   HTTP 500
  /slow/...     waits --slow-seconds, then answers like /ok
  /redirect/... 302 to the same request under /ok, with a cookie
Every request line goes to --log as "PATH?QUERY<TAB>User-Agent<TAB>Content-Type"
(one line, flushed). The bound port is written to --port-file.
"""
import argparse
import http.server
import os
import ssl
import sys
import time
import urllib.parse


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, status, body, headers=()):
        data = body.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "application/xml; charset=UTF-8")
        self.send_header("Content-Length", str(len(data)))
        for k, v in headers:
            self.send_header(k, v)
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        with open(self.server.log, "a") as log:
            log.write("%s\t%s\t%s\n" % (self.path, self.headers.get("User-Agent"), self.headers.get("Content-Type")))
        url = urllib.parse.urlsplit(self.path)
        mode = url.path.strip("/").split("/")[0]
        latlng = urllib.parse.parse_qs(url.query).get("latlng", [""])[0]
        if mode == "slow":
            time.sleep(self.server.slow_seconds)
            mode = "ok"
        if mode == "ok":
            self.reply(200, '<?xml version="1.0" encoding="UTF-8"?>\n<GeocodeResponse>\n <status>OK</status>\n'
                            ' <result>\n  <formatted_address>Námestie %s &amp; okolie</formatted_address>\n'
                            ' </result>\n <result>\n  <formatted_address>second</formatted_address>\n </result>\n'
                            '</GeocodeResponse>\n' % latlng)
        elif mode == "noaddr":
            self.reply(200, '<GeocodeResponse>\r\n <status>REQUEST_DENIED</status>\r\n'
                            ' <error_message>The "key" is invalid.</error_message>\r\n</GeocodeResponse>\r\n')
        elif mode == "err500":
            self.reply(500, "<error>internal</error>")
        elif mode == "redirect":
            target = "/ok/" + "/".join(url.path.strip("/").split("/")[1:]) + "?" + url.query
            self.reply(302, "", [("Location", target), ("Set-Cookie", "session=1; Path=/")])
        else:
            self.reply(404, "<error>unknown</error>")


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--port-file", required=True)
    p.add_argument("--cert", required=True)
    p.add_argument("--key", required=True)
    p.add_argument("--log", required=True)
    p.add_argument("--slow-seconds", type=float, default=0.5)
    a = p.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.handle_error = lambda request, address: None  # clients that hang up are part of the tests
    server.log = a.log
    server.slow_seconds = a.slow_seconds
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(a.cert, a.key)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    with open(a.port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.rename(a.port_file + ".tmp", a.port_file)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
