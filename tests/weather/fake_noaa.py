#!/usr/bin/env python3
"""A stand-in for NOAA's two services on 127.0.0.1, for the download and forecast tests.

    fake_noaa.py start --stations DIR --dwml FILE --port-file FILE [--tls-dir DIR]
                       [--lifetime S] [--foreground]
    fake_noaa.py stop --port-file FILE
    fake_noaa.py requests --port-file FILE       print the request log, one "METHOD PATH" a line

"start" binds a free port, writes it to the port file and serves in the background until
"stop" or the lifetime (default 900 s) ends it. With --tls-dir it first makes a test
certificate authority there (trusted-ca.pem) and a certificate for 127.0.0.1 signed by it, and
a second authority nobody trusts with a certificate of its own (untrusted-ca.pem), and serves
the same paths over https too: the port file then holds three lines, the http port, the https
port with the trusted certificate and the https port with the untrusted one. The certificates
name 127.0.0.1 both as an IP address and as a DNS name, because Wine's WinHTTP matches a host
only against the DNS names. Paths:

    /data/observations/metar/stations/NAME       a station file from DIR (404 when missing)
    /pub/data/observations/metar/stations/NAME   the same (NOAA's older path)
    /status/CODE                                 that status, a short body
    /redirect/CODE/N/PATH                        N + 1 redirects with CODE, the last to /PATH
    /redirect-absolute/N/PATH                    the same with absolute 302 locations
    /old/NAME                                    302 to ../pub/data/observations/metar/stations/NAME
    /redirect-loop                               302 to itself
    /redirect-to/URL                             302 to URL as given (percent-decoded)
    /to-https/CODE/PATH                          CODE redirect to /PATH on the trusted https port
    /to-http/CODE/PATH                           CODE redirect to /PATH on the http port
    /chunked/PATH                                /PATH's body in small chunks
    /truncated/PATH                              /PATH's body cut short of its Content-Length
    /truncated-chunked/PATH                      /PATH's body in chunks without the last one
    /slow/MS/PATH                                /PATH after MS milliseconds (at most 20 s)
    /stall/MS/PATH                               half of /PATH's body, a pause of MS, the rest
    /trickle/MS/PATH                             /PATH's body in five pieces, MS apart
    /bytes/N                                     N bytes cycling through all 256 values
    /empty                                       200 with an empty body
    /echo                                        the request line, the headers (LF-ended) and a
                                                 POST's body
    /__stop                                      ends the server
    /__last-soap/TOKEN                           the last forecast request posted with TOKEN
    /__requests                                  every request so far but these /__ ones
    /__faults                                    with --faults: each station's last good
                                                 observation and the replies given (JSON)

--faults SEED [--stall-ms MS --stall-every N --good-per-deck G] answers every station file and
forecast request from the shuffled mix of fault_mix.py instead: decks of G good replies (default
10) and one of each fault, every N-th request a stall of MS (default never).

Forecast requests are POSTs to /soap/TOKEN/MODE/ndfdXMLserver.php (or any path ending in
ndfdXMLserver.php, TOKEN "default", MODE "ok"); /redirect/CODE/N/PATH, /to-https/CODE/PATH and
/to-http/CODE/PATH redirect POSTs too. The request must be an RPC/encoded
ns1:NDFDgenByDay with latitude, longitude, startDate, numDays and format in that order and the
right SOAPAction, else the reply is a SOAP fault. MODE: ok (the DWML file), moved-namespace
(reply in the service's newer namespace), fault, http500, notfound, badxml, deep (the reply's
string holds 5000 nested elements instead of text).
"""

import argparse
import html
import http.server
import os
import secrets
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse
import xml.etree.ElementTree as ET

NDFD_NS = "http://www.weather.gov/forecasts/xml/DWMLgen/wsdl/ndfdXML.wsdl"
MOVED_NS = "https://graphical.weather.gov/xml/DWMLgen/wsdl/ndfdXML.wsdl"
ENV_NS = "http://schemas.xmlsoap.org/soap/envelope/"
ENC_NS = "http://schemas.xmlsoap.org/soap/encoding/"
XSI_NS = "http://www.w3.org/2001/XMLSchema-instance"
STATION_PREFIXES = ("/data/observations/metar/stations/", "/pub/data/observations/metar/stations/")
MAX_PAUSE_MS = 20000
MAX_BYTES = 8 * 1024 * 1024
PARAMETERS = [("latitude", "xsd:decimal"), ("longitude", "xsd:decimal"), ("startDate", "xsd:date"),
              ("numDays", "xsd:integer"), ("format", "xsd:string")]


class Reply(Exception):
    """A finished answer: status, body and extra headers."""

    def __init__(self, status, body=b"", headers=None):
        super().__init__(status)
        self.status = status
        self.body = body
        self.headers = headers or {}


def pause(ms):
    time.sleep(min(max(int(ms), 0), MAX_PAUSE_MS) / 1000.0)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    disable_nagle_algorithm = True  # small replies in two writes would wait for delayed ACKs
    server_version = "FakeNoaa/1"

    def log_message(self, format, *args):
        pass

    # ---- plumbing -------------------------------------------------------------------------

    def send_plain(self, status, body=b"", headers=None, close=False):
        self.send_response(status)
        for name, value in (headers or {}).items():
            self.send_header(name, value)
        if status not in (204, 304):
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(len(body)))
        if close:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()
        if status not in (204, 304) and self.command != "HEAD":
            self.wfile.write(body)

    def send_chunked(self, body, finish=True):
        size = 7 if len(body) < 4096 else 65536
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Transfer-Encoding", "chunked")
        if not finish:
            self.send_header("Connection", "close")
        self.end_headers()
        for i in range(0, len(body), size):
            piece = body[i:i + size]
            # A chunk extension now and then, which a client must ignore.
            extension = ";note=x" if (i // size) % 3 == 1 else ""
            self.wfile.write(b"%x%s\r\n%s\r\n" % (len(piece), extension.encode(), piece))
        if finish:
            self.wfile.write(b"0\r\n\r\n")
        else:
            self.close_connection = True
        self.wfile.flush()

    def body_of(self, path):
        """The body a plain GET of path gives, or a Reply for anything else."""
        prefix = next((p for p in STATION_PREFIXES if path.startswith(p)), None)
        if prefix:
            name = path[len(prefix):]
            if not name or "/" in name or name.startswith("."):
                raise Reply(404, b"no such station\n")
            file = os.path.join(self.server.stations, name)
            if not os.path.isfile(file):
                raise Reply(404, b"no such station\n")
            with open(file, "rb") as f:
                return f.read()
        parts = path.split("/")
        if len(parts) == 3 and parts[1] == "bytes":
            count = min(int(parts[2]), MAX_BYTES)
            return bytes(i % 256 for i in range(count))
        if path == "/empty":
            return b""
        if path == "/echo":
            return (self.requestline + "\r\n" + str(self.headers)).encode("latin-1")
        raise Reply(404, b"not found\n")

    def redirect(self, parts):
        """The redirects a GET and a POST may meet, as a Reply; nothing for other paths."""
        head = parts[1] if len(parts) > 1 else ""
        if head == "redirect":
            code, count = int(parts[2]), int(parts[3])
            target = "/" + "/".join(parts[4:])
            if count > 0:
                target = "/redirect/%d/%d%s" % (code, count - 1, target)
            raise Reply(code, b"moved\n", {"Location": target})
        if head in ("to-https", "to-http"):
            port = self.server.ports["https" if head == "to-https" else "http"]
            scheme = head[3:]
            target = "%s://127.0.0.1:%d/%s" % (scheme, port, "/".join(parts[3:]))
            raise Reply(int(parts[2]), b"moved\n", {"Location": target})

    # ---- GET ------------------------------------------------------------------------------

    def log_request_line(self):
        path = urllib.parse.urlsplit(self.path).path
        if not path.startswith("/__"):
            with self.server.log_lock:
                self.server.request_log.append("%s %s" % (self.command, path))

    def do_GET(self):
        self.log_request_line()
        try:
            self.answer_get(urllib.parse.urlsplit(self.path).path)
        except Reply as reply:
            self.send_plain(reply.status, reply.body, reply.headers)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True
        except ValueError:
            self.send_plain(400, b"bad request\n")

    def answer_get(self, path):
        parts = path.split("/")
        head = parts[1] if len(parts) > 1 else ""
        rest = "/" + "/".join(parts[2:])
        station = next((path[len(p):-4] for p in STATION_PREFIXES if path.startswith(p) and path.endswith(".TXT")), None)
        if self.server.faults and station:
            self.server.faults.answer_station(self, station)
        elif head == "__faults" and self.server.faults:
            self.send_plain(200, self.server.faults.report())
        elif head == "__stop":
            self.send_plain(200, b"stopping\n", close=True)
            threading.Thread(target=stop_all, args=(self.server.group,), daemon=True).start()
        elif head == "__requests":
            with self.server.log_lock:
                text = "".join(line + "\n" for line in self.server.request_log)
            self.send_plain(200, text.encode("utf-8"))
        elif head == "__last-soap":
            body = self.server.soap_requests.get(parts[2] if len(parts) > 2 else "")
            if body is None:
                raise Reply(404, b"no request\n")
            self.send_plain(200, body)
        elif head == "status":
            status = int(parts[2])
            self.send_plain(status, b"status %d\n" % status)
        elif head in ("redirect", "to-https", "to-http"):
            self.redirect(parts)
        elif head == "redirect-absolute":
            count = int(parts[2])
            target = "/" + "/".join(parts[3:])
            if count > 0:
                target = "/redirect-absolute/%d%s" % (count - 1, target)
            host = "%s://127.0.0.1:%d" % (self.server.scheme, self.server.server_address[1])
            self.send_plain(302, b"moved\n", {"Location": host + target})
        elif head == "old":
            self.send_plain(302, b"moved\n", {"Location": ".." + STATION_PREFIXES[1] + parts[-1]})
        elif head == "redirect-loop":
            self.send_plain(302, b"moved\n", {"Location": "/redirect-loop"})
        elif head == "redirect-to":
            self.send_plain(302, b"moved\n", {"Location": urllib.parse.unquote(rest[1:])})
        elif head == "chunked":
            self.send_chunked(self.body_of(rest))
        elif head == "truncated-chunked":
            self.send_chunked(self.body_of(rest), finish=False)
        elif head == "truncated":
            body = self.body_of(rest)
            self.send_response(200)
            self.send_header("Content-Length", str(len(body) + 100))
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(body)
            self.close_connection = True
        elif head == "slow":
            pause(parts[2])
            self.send_plain(200, self.body_of("/" + "/".join(parts[3:])))
        elif head == "stall":
            body = self.body_of("/" + "/".join(parts[3:]))
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body[:len(body) // 2])
            self.wfile.flush()
            pause(parts[2])
            self.wfile.write(body[len(body) // 2:])
        elif head == "trickle":
            body = self.body_of("/" + "/".join(parts[3:]))
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.flush()
            piece = (len(body) + 4) // 5
            for i in range(0, len(body), piece):
                pause(parts[2])
                self.wfile.write(body[i:i + piece])
                self.wfile.flush()
        else:
            self.send_plain(200, self.body_of(path))

    # ---- POST: the forecast service -------------------------------------------------------

    def do_POST(self):
        self.log_request_line()
        try:
            self.answer_post(urllib.parse.urlsplit(self.path).path)
        except Reply as reply:
            self.send_plain(reply.status, reply.body, reply.headers)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def answer_post(self, path):
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length) if length > 0 else b""
        parts = path.split("/")
        self.redirect(parts)
        if path == "/echo":
            raise Reply(200, (self.requestline + "\r\n" + str(self.headers)).encode("latin-1") + body)
        if not path.endswith("/ndfdXMLserver.php"):
            raise Reply(404, b"not found\n")
        token, mode = "default", "ok"
        if len(parts) == 5 and parts[1] == "soap":
            token, mode = parts[2], parts[3]
        record = "SOAPAction: %s\r\n\r\n" % self.headers.get("SOAPAction", "")
        self.server.soap_requests[token] = record.encode("latin-1") + body
        if self.server.faults:
            self.server.faults.answer_forecast(self, lambda document, markup="": response(NDFD_NS, document, markup))
            return

        if mode == "http500":
            raise Reply(500, b"internal error\n")
        if mode == "notfound":
            raise Reply(404, b"not found\n")
        problem = check_request(self.headers.get("SOAPAction", ""), body)
        if problem or mode == "fault":
            self.send_xml(500, fault(problem or "requested fault"))
            return
        if mode == "badxml":
            document = "<dwml><data><parameters>"
        else:
            with open(self.server.dwml, "r", encoding="utf-8") as f:
                document = f.read()
        namespace = MOVED_NS if mode == "moved-namespace" else NDFD_NS
        if mode == "deep":
            self.send_xml(200, response(namespace, "", "<a>" * 5000 + "</a>" * 5000))
            return
        self.send_xml(200, response(namespace, document))

    def send_xml(self, status, text):
        data = text.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "text/xml; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)


def check_request(action, body):
    """What is wrong with a forecast request, or None."""
    if action.strip('"') != NDFD_NS + "#NDFDgenByDay":
        return "wrong SOAPAction %r" % action
    try:
        envelope = ET.fromstring(body)
    except ET.ParseError as e:
        return "request is not XML: %s" % e
    if envelope.tag != "{%s}Envelope" % ENV_NS:
        return "no SOAP 1.1 envelope"
    soap_body = envelope.find("{%s}Body" % ENV_NS)
    if soap_body is None or len(soap_body) != 1:
        return "no single body element"
    call = soap_body[0]
    if call.tag != "{%s}NDFDgenByDay" % NDFD_NS:
        return "unexpected operation %s" % call.tag
    style = call.get("{%s}encodingStyle" % ENV_NS) or soap_body.get("{%s}encodingStyle" % ENV_NS) \
        or envelope.get("{%s}encodingStyle" % ENV_NS)
    if style != ENC_NS:
        return "not SOAP-encoded"
    names = [child.tag for child in call]
    if names != [name for name, _ in PARAMETERS]:
        return "parameters %s" % names
    for child, (name, schema_type) in zip(call, PARAMETERS):
        if child.get("{%s}type" % XSI_NS) != schema_type:
            return "%s has type %s" % (name, child.get("{%s}type" % XSI_NS))
    return None


def response(namespace, document, markup=""):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<SOAP-ENV:Envelope xmlns:SOAP-ENV="%s" xmlns:SOAP-ENC="%s" '
            'xmlns:xsd="http://www.w3.org/2001/XMLSchema" xmlns:xsi="%s" '
            'SOAP-ENV:encodingStyle="%s"><SOAP-ENV:Body>'
            '<ns1:NDFDgenByDayResponse xmlns:ns1="%s">'
            '<dwmlByDayOut xsi:type="xsd:string">%s%s</dwmlByDayOut>'
            '</ns1:NDFDgenByDayResponse></SOAP-ENV:Body></SOAP-ENV:Envelope>'
            % (ENV_NS, ENC_NS, XSI_NS, ENC_NS, namespace, html.escape(document, quote=False), markup))


def fault(text):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<SOAP-ENV:Envelope xmlns:SOAP-ENV="%s"><SOAP-ENV:Body><SOAP-ENV:Fault>'
            '<faultcode>SOAP-ENV:Client</faultcode><faultstring>%s</faultstring>'
            '</SOAP-ENV:Fault></SOAP-ENV:Body></SOAP-ENV:Envelope>' % (ENV_NS, html.escape(text)))


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    scheme = "http"


class TlsServer(Server):
    """The same service over https. Each connection's handshake runs in the connection's own
    thread, so a client that refuses the certificate or stalls holds up nobody else."""

    scheme = "https"

    def __init__(self, address, handler, context):
        super().__init__(address, handler)
        self.context = context

    def finish_request(self, request, client_address):
        try:
            request = self.context.wrap_socket(request, server_side=True)
        except OSError:  # ssl.SSLError included: the client refused the certificate, or left
            return
        try:
            super().finish_request(request, client_address)
        finally:
            request.close()


CERTIFICATE_CONFIG = """
[req]
distinguished_name = name
prompt = no
[name]
CN = unused
[authority]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[server]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:127.0.0.1, IP:127.0.0.1
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
"""


def make_certificates(folder):
    """NAME-ca.pem and NAME.pem with NAME.key, for the trusted and the untrusted authority."""
    os.makedirs(folder, exist_ok=True)
    config = os.path.join(folder, "openssl.cnf")
    with open(config, "w") as f:
        f.write(CERTIFICATE_CONFIG)

    def openssl(*arguments):
        subprocess.run(["openssl", *arguments], check=True, capture_output=True)

    for name in ("trusted", "untrusted"):
        base = os.path.join(folder, name)
        openssl("req", "-x509", "-config", config, "-extensions", "authority", "-newkey", "rsa:2048", "-nodes",
                "-sha256", "-days", "2", "-subj", "/CN=Orbimeteo %s test authority" % name,
                "-keyout", base + "-ca.key", "-out", base + "-ca.pem")
        openssl("req", "-new", "-config", config, "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=127.0.0.1",
                "-keyout", base + ".key", "-out", base + ".csr")
        openssl("x509", "-req", "-in", base + ".csr", "-CA", base + "-ca.pem", "-CAkey", base + "-ca.key",
                "-set_serial", str(secrets.randbits(63)), "-days", "2", "-sha256", "-extfile", config,
                "-extensions", "server", "-out", base + ".pem")


def tls_context(folder, name):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    base = os.path.join(folder, name)
    context.load_cert_chain(base + ".pem", base + ".key")
    return context


def stop_all(servers):
    # The main listener last: its end ends the process.
    for server in reversed(servers):
        server.shutdown()


def start(args):
    servers = [Server(("127.0.0.1", 0), Handler)]
    if args.tls_dir:
        make_certificates(args.tls_dir)
        for name in ("trusted", "untrusted"):
            servers.append(TlsServer(("127.0.0.1", 0), Handler, tls_context(args.tls_dir, name)))
    ports = dict(zip(("http", "https", "untrusted"), (s.server_address[1] for s in servers)))
    soap_requests = {}
    # One log for every port, so a test sees an https fetch beside an http one.
    request_log = []
    log_lock = threading.Lock()
    faults = None
    if args.faults is not None:
        from fault_mix import FaultMix
        faults = FaultMix(args.faults, args.stall_ms, args.stall_every, args.good_per_deck, args.dwml)
    for server in servers:
        server.faults = faults
        server.stations = args.stations
        server.dwml = args.dwml
        server.soap_requests = soap_requests
        server.request_log = request_log
        server.log_lock = log_lock
        server.ports = ports
        server.group = servers
    # Written whole under another name first, so a reader never sees half a number.
    temporary = args.port_file + ".temp"
    with open(temporary, "w") as f:
        f.write("".join("%d\n" % port for port in ports.values()))
    os.replace(temporary, args.port_file)

    if not args.foreground:
        # Detached from the caller (ctest waits for the pipes it gave this process to close).
        if os.fork() > 0:
            os._exit(0)
        os.setsid()
        null = os.open(os.devnull, os.O_RDWR)
        for fd in (0, 1, 2):
            os.dup2(null, fd)
        os.close(null)

    timer = threading.Timer(args.lifetime, stop_all, (servers,))
    timer.daemon = True
    timer.start()
    for server in servers[1:]:
        threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.2}, daemon=True).start()
    try:
        servers[0].serve_forever(poll_interval=0.2)
    finally:
        for server in servers:
            server.server_close()
        try:
            with open(args.port_file) as f:
                mine = f.readline().strip() == str(ports["http"])
            if mine:
                os.remove(args.port_file)
        except OSError:
            pass
    return 0


def stop(args):
    import urllib.request
    try:
        with open(args.port_file) as f:
            port = int(f.readline().strip())
    except (OSError, ValueError):
        return 0  # nothing running
    try:
        opener = urllib.request.build_opener(urllib.request.ProxyHandler({}))
        opener.open("http://127.0.0.1:%d/__stop" % port, timeout=5).read()
    except OSError:
        pass
    return 0


def requests(args):
    import urllib.request
    with open(args.port_file) as f:
        port = int(f.readline().strip())
    opener = urllib.request.build_opener(urllib.request.ProxyHandler({}))
    sys.stdout.write(opener.open("http://127.0.0.1:%d/__requests" % port, timeout=5).read().decode("utf-8"))
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    commands = parser.add_subparsers(dest="command", required=True)
    start_parser = commands.add_parser("start")
    start_parser.add_argument("--stations", required=True)
    start_parser.add_argument("--dwml", required=True)
    start_parser.add_argument("--port-file", required=True)
    start_parser.add_argument("--tls-dir")
    start_parser.add_argument("--lifetime", type=float, default=900)
    start_parser.add_argument("--foreground", action="store_true")
    start_parser.add_argument("--faults", type=int)
    start_parser.add_argument("--stall-ms", type=int, default=15000)
    start_parser.add_argument("--stall-every", type=int, default=0)
    start_parser.add_argument("--good-per-deck", type=int, default=10)
    stop_parser = commands.add_parser("stop")
    stop_parser.add_argument("--port-file", required=True)
    requests_parser = commands.add_parser("requests")
    requests_parser.add_argument("--port-file", required=True)
    args = parser.parse_args()
    return {"start": start, "stop": stop, "requests": requests}[args.command](args)


if __name__ == "__main__":
    sys.exit(main())
