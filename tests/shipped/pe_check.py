#!/usr/bin/env python3
"""Inspects the shipped programs the way Windows sees them, with the toolchain's own tools
(objdump for headers, sections and imports, windres for resources, the C compiler with the
Windows headers for the API versions):

- the application manifest: asInvoker, the supportedOS entries of Windows 7, 8, 8.1 and 10/11,
  common controls 6 and a DPI-awareness setting;
- the version resource and the icon in the programs named with --versioned;
- the oldest Windows in the subsystem and OS version fields, DEP and ASLR (with relocations),
  no time stamp, no symbols and no debug sections; a checksum of 0 when bytes follow the image;
- imports only from the allowed system DLLs, and only functions that the Windows headers
  declare for the oldest Windows.

usage: pe_check.py --objdump OBJDUMP --windres WINDRES --cc CC --minimum MAJOR.MINOR
                   --version X.Y.Z [--versioned NAME]... FILE..."""
import argparse
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

ALLOWED_DLLS = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'msvcrt.dll'}

SUPPORTED_OS = {
    '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}': 'Windows 7',
    '{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}': 'Windows 8',
    '{1f676c76-80e1-4239-95bb-83d0f6d0da78}': 'Windows 8.1',
    '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}': 'Windows 10/11',
}

# Start-up entries of the C runtime that no public header declares; every msvcrt.dll since
# Windows 2000 exports them.
CRT_STARTUP = {'__getmainargs', '__initenv', '__p__commode', '__set_app_type', '_amsg_exit', '_initterm',
               '_lock', '_unlock'}

CRT_HEADERS = ['stdio.h', 'stdlib.h', 'string.h', 'wchar.h', 'locale.h', 'time.h', 'math.h', 'signal.h',
               'errno.h', 'process.h', 'io.h', 'malloc.h', 'ctype.h', 'setjmp.h', 'conio.h', 'direct.h',
               'fcntl.h', 'float.h', 'mbstring.h', 'mbctype.h', 'excpt.h', 'sys/stat.h', 'sys/timeb.h',
               'sys/utime.h']


def run(*command):
    result = subprocess.run(command, capture_output=True, text=True, env=dict(os.environ, LC_ALL='C', TZ='UTC'))
    if result.returncode != 0:
        raise RuntimeError('%s failed: %s' % (' '.join(command), result.stderr.strip()))
    return result.stdout


class Program:
    def __init__(self, path, tools):
        self.path = path
        self.name = os.path.basename(path)
        self.headers = run(tools.objdump, '-p', path)
        self.sections = run(tools.objdump, '-h', path)
        try:
            self.resources = run(tools.windres, '-i', path, '-O', 'rc')
        except RuntimeError as error:
            if 'no resource section' not in str(error):
                raise
            self.resources = ''
        self.failures = []

    def fail(self, text):
        self.failures.append('%s: %s' % (self.name, text))

    def field(self, name):
        match = re.search(r'^%s\s+(.+)$' % re.escape(name), self.headers, re.M)
        return match.group(1).strip() if match else None

    def imports(self):
        """{dll name: [function names]} from objdump's import tables."""
        result = {}
        dll = None
        for line in self.headers.splitlines():
            named = re.match(r'\s*DLL Name: (\S+)', line)
            if named:
                dll = named.group(1)
                result.setdefault(dll, [])
                continue
            entry = re.match(r'\t[0-9a-f]+\t\s*\d+\s+(\S+)', line)
            if entry and dll:
                result[dll].append(entry.group(1))
            elif not line.strip():
                continue
            elif not line.startswith('\t'):
                dll = None
        return result


def check_headers(program, minimum):
    major, minor = minimum
    for name, want in (('MajorSubsystemVersion', major), ('MinorSubsystemVersion', minor),
                       ('MajorOSystemVersion', major), ('MinorOSystemVersion', minor)):
        if program.field(name) != str(want):
            program.fail('%s is %s, not %d' % (name, program.field(name), want))
    flags = program.headers[program.headers.find('DllCharacteristics'):program.headers.find('SizeOfStackReserve')]
    for flag in ('DYNAMIC_BASE', 'NX_COMPAT'):
        if flag not in flags:
            program.fail('DllCharacteristics lack %s' % flag)
    relocations = re.search(r'^Entry 5 [0-9a-f]+ ([0-9a-f]+) Base Relocation Directory', program.headers, re.M)
    if not relocations or int(relocations.group(1), 16) == 0:
        program.fail('no relocations: ASLR cannot move the program')
    if program.field('Time/Date') != 'Thu Jan  1 00:00:00 1970':
        program.fail('time stamp %s instead of none' % program.field('Time/Date'))
    if 'symbols stripped' not in program.headers.split('Time/Date')[0]:
        program.fail('symbols not stripped')


def check_sections(program):
    # objdump gives each section's size in memory; in the file it fills whole alignment units.
    alignment = int(program.field('FileAlignment'), 16)
    end = 0
    for match in re.finditer(r'^\s*\d+ (\S+)\s+([0-9a-f]+)\s+[0-9a-f]+\s+[0-9a-f]+\s+([0-9a-f]+)', program.sections, re.M):
        name, size, offset = match.group(1), int(match.group(2), 16), int(match.group(3), 16)
        if name.startswith(('.debug', '.zdebug', '.stab')):
            program.fail('debug section %s' % name)
        if offset:
            end = max(end, offset + (size + alignment - 1) // alignment * alignment)
    if os.path.getsize(program.path) > end and int(program.field('CheckSum'), 16) != 0:
        program.fail('bytes follow the image, but the checksum %s is not 0' % program.field('CheckSum'))


def resource_text(resources, header):
    """The bytes of the resource whose decompiled block starts with `header`, from windres's
    string literals and 32-bit hex words."""
    start = resources.find(header)
    if start < 0:
        return None
    body = resources[resources.index('BEGIN', start) + 5:resources.index('\nEND', start)]
    data = bytearray()
    for token in re.finditer(r'"((?:[^"]|"")*)"|0x([0-9a-fA-F]+)L|(\S)', body):
        if token.group(1) is not None:
            text = token.group(1).replace('""', '"')
            data += text.encode('latin-1').decode('unicode_escape').encode('latin-1')
        elif token.group(2) is not None:
            data += int(token.group(2), 16).to_bytes(4, 'little')
        elif token.group(3) != ',':
            raise RuntimeError('unexpected %r in the resource' % token.group(3))
    return bytes(data)


def check_manifest(program):
    data = resource_text(program.resources, '1 24 /* RT_MANIFEST */')
    if data is None:
        program.fail('no application manifest (resource type 24, number 1)')
        return
    try:
        root = ElementTree.fromstring(data)
    except ElementTree.ParseError as error:
        program.fail('manifest is not well-formed XML: %s' % error)
        return

    def elements(local):
        return [e for e in root.iter() if e.tag.rsplit('}', 1)[-1] == local]

    levels = [e.get('level') for e in elements('requestedExecutionLevel')]
    if levels != ['asInvoker']:
        program.fail('requestedExecutionLevel %s instead of asInvoker' % levels)
    declared = {e.get('Id', '').lower() for e in elements('supportedOS')}
    for guid, system in SUPPORTED_OS.items():
        if guid not in declared:
            program.fail('manifest does not declare %s' % system)
    if not any(e.get('name') == 'Microsoft.Windows.Common-Controls' and e.get('version') == '6.0.0.0'
               for e in elements('assemblyIdentity')):
        program.fail('manifest does not ask for common controls 6')
    if not elements('dpiAware') and not elements('dpiAwareness'):
        program.fail('manifest says nothing about DPI awareness')


def check_version(program, version):
    numbers = ', '.join(version.split('.') + ['0'])
    for statement in ('FILEVERSION', 'PRODUCTVERSION'):
        if not re.search(r'^\s*%s %s\s*$' % (statement, re.escape(numbers)), program.resources, re.M):
            program.fail('no %s %s in a version resource' % (statement, numbers))
    for key in ('CompanyName', 'FileDescription', 'FileVersion', 'LegalCopyright', 'OriginalFilename',
                'ProductName', 'ProductVersion'):
        if not re.search(r'VALUE "%s", "[^"]+"' % key, program.resources):
            program.fail('version resource without %s' % key)
    if not re.search(r'^\d+ 14 /\* RT_GROUP_ICON \*/$', program.resources, re.M):
        program.fail('no icon resource')


def check_imports(programs, tools, minimum):
    """Each imported function must be declared by the Windows headers set to the oldest
    Windows: the headers leave out what came later."""
    wanted = {}
    for program in programs:
        for dll, functions in program.imports().items():
            if dll.lower() not in ALLOWED_DLLS:
                program.fail('imports from %s, not a system DLL of the allowed set' % dll)
                continue
            for function in functions:
                if not (dll.lower() == 'msvcrt.dll' and function in CRT_STARTUP):
                    wanted.setdefault(function, set()).add(program.name)
    if not wanted:
        return
    version = '0x%02x%02x' % minimum
    lines = ['#define WINVER %s' % version, '#define _WIN32_WINNT %s' % version, '#include <windows.h>']
    lines += ['#include <%s>' % header for header in CRT_HEADERS]
    lines.append('void imported(void) {')
    for function in sorted(wanted):
        lines += ['#ifndef %s' % function, '(void)&%s;' % function, '#endif']
    lines.append('}')
    with tempfile.TemporaryDirectory() as scratch:
        source = os.path.join(scratch, 'imports.c')
        with open(source, 'w') as f:
            f.write('\n'.join(lines) + '\n')
        result = subprocess.run([tools.cc, '-fsyntax-only', '-fmax-errors=0', source], capture_output=True,
                                text=True, env=dict(os.environ, LC_ALL='C'))
    errors = [line for line in result.stderr.splitlines() if ': error: ' in line]
    missing = set()
    for line in errors:
        match = re.search(r"error: '(\w+)' undeclared", line)
        if not match:
            raise RuntimeError('the import check did not compile: %s' % line)
        missing.add(match.group(1))
    for function in sorted(missing):
        for program in programs:
            if program.name in wanted[function]:
                program.fail('imports %s, which Windows %d.%d lacks' % ((function,) + minimum))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--objdump', required=True)
    parser.add_argument('--windres', required=True)
    parser.add_argument('--cc', required=True)
    parser.add_argument('--minimum', required=True)
    parser.add_argument('--version', required=True)
    parser.add_argument('--versioned', action='append', default=[])
    parser.add_argument('files', nargs='+')
    tools = parser.parse_args()
    minimum = tuple(int(part) for part in tools.minimum.split('.'))

    programs = [Program(path, tools) for path in tools.files]
    for program in programs:
        check_headers(program, minimum)
        check_sections(program)
        check_manifest(program)
        if program.name in tools.versioned:
            check_version(program, tools.version)
    check_imports(programs, tools, minimum)

    failures = [failure for program in programs for failure in program.failures]
    for failure in failures:
        print('FAIL: ' + failure)
    for program in programs:
        print('%s: %d bytes' % (program.name, os.path.getsize(program.path)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
