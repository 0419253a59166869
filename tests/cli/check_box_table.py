"""The README's table of boxes names each box as the tool's third column does."""
import re
import subprocess
import sys

cli, readme = sys.argv[1], sys.argv[2]
printed = {}
for line in subprocess.run([cli], check=True, capture_output=True, text=True).stdout.splitlines():
    name, _, label = line.split("\t")
    printed[name] = label
documented = {}
for match in re.finditer(r"^\| `(Text\d+)` \| ([^|]+) \| ([^|]+) \|", open(readme, encoding="utf-8").read(), re.M):
    unit = match.group(3).strip().split(" (")[0]
    documented[match.group(1)] = f"{match.group(2).strip()} ({unit})"
if documented != printed:
    for name in printed:
        if documented.get(name) != printed[name]:
            print(f"{name}: README says {documented.get(name)!r}, the tool prints {printed[name]!r}")
    sys.exit(1)
print(f"{len(printed)} boxes agree")
