#!/usr/bin/env python3
"""Prints the target path of a Windows shortcut (.lnk): the local base path and common path
suffix of its link information."""
import struct
import sys

HAS_ID_LIST = 0x1
HAS_LINK_INFO = 0x2
VOLUME_ID_AND_LOCAL_BASE_PATH = 0x1


def c_string(data, offset, wide):
    if wide:
        end = offset
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[offset:end].decode("utf-16-le")
    return data[offset:data.index(b"\0", offset)].decode("cp1252")


def target(data):
    if data[:4] != b"\x4c\0\0\0":
        raise ValueError("not a shell link")
    (flags,) = struct.unpack_from("<I", data, 20)
    offset = 76
    if flags & HAS_ID_LIST:
        (size,) = struct.unpack_from("<H", data, offset)
        offset += 2 + size
    if not flags & HAS_LINK_INFO:
        return None
    (_size, header_size, info_flags, _volume, base, _network, suffix) = struct.unpack_from("<7I", data, offset)
    if not info_flags & VOLUME_ID_AND_LOCAL_BASE_PATH:
        return None
    if header_size >= 0x24:
        base, suffix = struct.unpack_from("<2I", data, offset + 28)
        return c_string(data, offset + base, True) + c_string(data, offset + suffix, True)
    return c_string(data, offset + base, False) + c_string(data, offset + suffix, False)


def main():
    with open(sys.argv[1], "rb") as f:
        path = target(f.read())
    if not path:
        sys.exit("no local target path in " + sys.argv[1])
    print(path)


if __name__ == "__main__":
    main()
