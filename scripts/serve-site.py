#!/usr/bin/python3
"""Serves a folder of static files over HTTP, as web servers serve a site.

    scripts/serve-site.py <folder> [port] [address]

Port 0 (the default) takes any free port. It answers on this machine only
(127.0.0.1) unless given another address. The first line printed names the
port and the site's address; each request is logged on standard error.

Python's own http.server with two settings that web servers have: kept
connections (HTTP/1.1) and each reply sent at once (TCP_NODELAY). Without the
second, a reply on a kept connection waits about 40 ms for the browser to
acknowledge the one before it.
"""

import functools
import http.server
import sys


class SiteFiles(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    disable_nagle_algorithm = True


folder = sys.argv[1]
port = int(sys.argv[2]) if len(sys.argv) > 2 else 0
address = sys.argv[3] if len(sys.argv) > 3 else "127.0.0.1"
server = http.server.ThreadingHTTPServer(
    (address, port), functools.partial(SiteFiles, directory=folder))
port = server.server_address[1]
host = "localhost" if address == "127.0.0.1" else address
print(f"Serving {folder} on port {port}: http://{host}:{port}/", flush=True)
try:
    server.serve_forever()
except KeyboardInterrupt:  # Ctrl+C ends it
    pass
