#!/usr/bin/python3
"""The plain script the link's cost is held against: it sends the same word line as link_bench
to a board and waits for the reply's ending, line after line, with pyserial (Debian's
python3-serial), and prints its wall time and CPU per line in link_bench's words.

usage: bench/send_and_wait.py DEVICE [LINES]
"""

import sys
import time

import serial

OK_ENDING = b"\n\rOK\n\r>"
ERROR_ENDING = b"RROR\n\r>"


def main():
    device = sys.argv[1]
    lines = int(sys.argv[2]) if len(sys.argv) > 2 else 200
    port = serial.Serial(device, 19200, timeout=1.2)
    port.reset_input_buffer()
    wall = time.perf_counter()
    cpu = time.process_time()
    for line in range(lines):
        port.write(b"S2A640\r")
        reply = b""
        while not (reply.endswith(OK_ENDING) or reply.endswith(ERROR_ENDING)):
            received = port.read(port.in_waiting or 1)
            if not received:
                sys.exit("line %d failed" % line)
            reply += received
    wall_ms = (time.perf_counter() - wall) * 1000 / lines
    cpu_ms = (time.process_time() - cpu) * 1000 / lines
    port.close()
    print("round trip per 7-character line against %s: %.3f ms" % (device, wall_ms))
    print("program CPU per line: %.3f ms" % cpu_ms)


if __name__ == "__main__":
    main()
