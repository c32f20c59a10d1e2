#!/usr/bin/python3
"""An RFC 3161 time-stamp server on this machine, standing in for a release's
in scripts/check-signing.sh: it answers each query with a time stamp that
openssl signs with the certificate and key given. Prints its port, then
serves until it is ended.
    timestampserver.py <certificate.pem> <key.pem>"""

import http.server
import pathlib
import subprocess
import sys
import tempfile

folder = pathlib.Path(tempfile.mkdtemp())
(folder / "serial").write_text("01\n")
(folder / "tsa.cnf").write_text(
    "[ tsa ]\ndefault_tsa = stand_in\n[ stand_in ]\n"
    f"serial = {folder / 'serial'}\nsigner_digest = sha256\ndefault_policy = 1.2.3.4.1\n"
    "digests = sha1, sha256\ness_cert_id_alg = sha256\n")


class TimeStamps(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers["Content-Length"]))
        reply = subprocess.run(
            ["openssl", "ts", "-reply", "-config", str(folder / "tsa.cnf"),
             "-queryfile", "/dev/stdin", "-signer", sys.argv[1], "-inkey", sys.argv[2],
             "-out", "/dev/stdout"], input=query, capture_output=True, check=True).stdout
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)

    def log_message(self, *arguments):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), TimeStamps)
print(server.server_port, flush=True)
server.serve_forever()
