#!/usr/bin/env python3
"""Copies the product files into a fresh staging folder for the packer, and writes the
generated data file there, each with the time of its source: the time of the last commit that
changed it when git has the file unchanged, else the file's own modification time. Members of
the archive then carry the product files' own times, the same in every build of a commit.

usage: stage_payload.py PRODUCT_DIR STAGE_DIR DATA_GENERATOR DATA_FILE
(DATA_FILE relative to STAGE_DIR, written by running DATA_GENERATOR with its path)"""
import os
import shutil
import subprocess
import sys


def source_time(path):
    directory, name = os.path.split(os.path.abspath(path))
    try:
        unchanged = subprocess.run(['git', '-C', directory, 'diff', '--quiet', 'HEAD', '--', name],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
        if unchanged:
            committed = subprocess.run(['git', '-C', directory, 'log', '-1', '--format=%ct', '--', name],
                                       capture_output=True, text=True).stdout.strip()
            if committed:
                return int(committed)
    except OSError:
        pass  # no git
    return int(os.stat(path).st_mtime)


def main():
    product, staging, generator, data = sys.argv[1:5]
    shutil.rmtree(staging, ignore_errors=True)
    for directory, _, names in os.walk(product):
        for name in names:
            source = os.path.join(directory, name)
            target = os.path.join(staging, os.path.relpath(source, product))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copyfile(source, target)
            os.utime(target, (source_time(source),) * 2)
    target = os.path.join(staging, data)
    subprocess.run([sys.executable, generator, target], check=True)
    os.utime(target, (source_time(generator),) * 2)


if __name__ == '__main__':
    main()
