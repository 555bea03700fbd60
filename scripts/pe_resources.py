"""Reads resources out of a built Windows PE file (PE32 or PE32+), for the
native checks of the build: check-version and the launcher's resource check."""
import struct

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24


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
