#!/usr/bin/env python3
"""Checks the resources of the built Lorvex.exe (PE32 or PE32+).

    check_resources.py LORVEX_EXE

The icon group must be named "ID_LORVEX" (a string, not a number) and hold
three 32-bit images of 64, 32 and 16 pixels, each present as an icon; the
manifest (id 1) must ask for asInvoker without uiAccess.
"""
import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24


class Pe:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from('<I', data, 0x3C)[0]
        sections, optional_size = struct.unpack_from('<H12xH', data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from('<H', data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva = struct.unpack_from('<I', data, directories + 2 * 8)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            size, rva, raw_size, raw = struct.unpack_from('<IIII', data, table + 40 * i + 8)
            self.sections.append((rva, max(size, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError(f'RVA {rva:#x} lies in no section')

    def directory(self, at):
        """The entries of one resource directory: {id or name: entry offset}."""
        base = self.offset(self.resource_rva)
        names, ids = struct.unpack_from('<HH', self.data, base + at + 12)
        entries = {}
        for i in range(names + ids):
            key, value = struct.unpack_from('<II', self.data, base + at + 16 + 8 * i)
            if key & 0x80000000:
                length = struct.unpack_from('<H', self.data, base + (key & 0x7FFFFFFF))[0]
                start = base + (key & 0x7FFFFFFF) + 2
                key = self.data[start:start + 2 * length].decode('utf-16-le')
            entries[key] = value
        return entries

    def resource(self, kind, name):
        """The bytes of a resource in its first language, or None."""
        if self.resource_rva == 0:
            return None
        types = self.directory(0)
        if kind not in types:
            return None
        names = self.directory(types[kind] & 0x7FFFFFFF)
        if name not in names:
            return None
        languages = self.directory(names[name] & 0x7FFFFFFF)
        leaf = self.offset(self.resource_rva) + (next(iter(languages.values())))
        rva, size = struct.unpack_from('<II', self.data, leaf)
        return self.data[self.offset(rva):self.offset(rva) + size]


def faults_of(path):
    pe = Pe(open(path, 'rb').read())
    faults = []
    group = pe.resource(RT_GROUP_ICON, 'ID_LORVEX')
    if group is None:
        faults.append('no icon group named "ID_LORVEX"')
    else:
        count = struct.unpack_from('<H', group, 4)[0]
        images = []
        for i in range(count):
            width, height, _, _, _, bits, _, icon_id = struct.unpack_from(
                '<BBBBHHIH', group, 6 + 14 * i)
            images.append((width or 256, height or 256, bits))
            if pe.resource(RT_ICON, icon_id) is None:
                faults.append(f'icon {icon_id} of the group is missing')
        if sorted(images) != [(16, 16, 32), (32, 32, 32), (64, 64, 32)]:
            faults.append(f'icon group holds {images}, not 64, 32 and 16 pixels at 32 bits')
    manifest = pe.resource(RT_MANIFEST, 1)
    if manifest is None:
        faults.append('no manifest with id 1')
    elif b'level="asInvoker"' not in manifest or b'uiAccess="false"' not in manifest:
        faults.append('the manifest does not ask for asInvoker without uiAccess')
    return faults


if __name__ == '__main__':
    faults = faults_of(sys.argv[1])
    for fault in faults:
        print(f'{sys.argv[1]}: {fault}')
    sys.exit(1 if faults else 0)
