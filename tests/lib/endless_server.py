#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""An HTTP server on 127.0.0.1 that answers every request with a body that never ends: the
status line and headers of a good reply, no length, then JSON-looking bytes for ever, as fast
as the client takes them. For memory tests of the program against a hostile feed.

    endless_server.py PORT
"""
import socket
import sys
import threading

CHUNK = b'{"thb":{"rate":39.5,"date":"' + b"x" * 65000 + b'"},'


def serve(connection):
    with connection:
        try:
            head = b""
            while b"\r\n\r\n" not in head and len(head) < 65536:
                data = connection.recv(4096)
                if not data:
                    return
                head += data
            connection.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
                               b"Connection: close\r\n\r\n")
            while True:
                connection.sendall(CHUNK)
        except OSError:  # the client gave up, as it should
            pass


def main():
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", int(sys.argv[1])))
    listener.listen(16)
    while True:
        connection, _ = listener.accept()
        threading.Thread(target=serve, args=(connection,), daemon=True).start()


if __name__ == "__main__":
    main()
