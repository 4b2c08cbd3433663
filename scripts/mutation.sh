#!/bin/sh
# SPDX-License-Identifier: MIT
# Mutation testing: a seeded sample of single-token mutants of the program
# sources (calendar/, astro/, nachtblick/, kalender/ without their tests),
# each built and tested with ctest in a copy of the tree. A mutant flips an
# operator (< <=, > >=, == !=, + -, * /, && ||) or adds 1 to an integer
# literal. Mutants that do not compile are left out. Prints every surviving
# mutant and the score (killed / compiled).
#
#   scripts/mutation.sh [COUNT [SEED]]     default 160 mutants, seed 1
#   MUTATION_DIR   where the copy is built (default /tmp/nb-mutation)
#   MUTATION_ONLY  a regular expression: only sites in matching paths
#
# Slow (about half a minute a mutant on two cores); CI does not run it.
set -eu
cd "$(dirname "$0")/.."
count=${1:-160}
seed=${2:-1}
work=${MUTATION_DIR:-/tmp/nb-mutation}

rm -rf "$work"
mkdir -p "$work/src"
git ls-files -z | xargs -0 cp --parents -t "$work/src"
cmake -S "$work/src" -B "$work/build" -DNB_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE=-O1 >/dev/null
cmake --build "$work/build" -j"$(nproc)" >/dev/null

exec python3 - "$work" "$count" "$seed" <<'EOF'
import os, random, re, subprocess, sys

work, count, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
src, build = os.path.join(work, "src"), os.path.join(work, "build")
FLIPS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
         "+": "-", "-": "+", "*": "/", "/": "*", "&&": "||", "||": "&&"}
TOKEN = re.compile(r'"(?:\\.|[^"\\])*"|\'(?:\\.|[^\'\\])*\'|//.*|->|\+\+|--|<<|>>|[-+*/=!<>]=|'
                   r'&&|\|\||[-+*/<>]|\.?\d(?:[eE][-+]|[\w.])*|[A-Za-z_]\w*|\S')

def sites():
    files = subprocess.run(["git", "ls-files", "calendar", "astro", "nachtblick", "kalender"],
                           capture_output=True, text=True, check=True).stdout.split()
    only = re.compile(os.environ.get("MUTATION_ONLY", ""))
    for path in sorted(f for f in files if re.search(r"\.(cpp|h)$", f) and "/tests/" not in f
                       and only.search(f)):
        in_comment = False
        for number, line in enumerate(open(path, encoding="latin-1"), 1):
            stripped = line.strip()
            if in_comment or stripped.startswith(("/*", "#")):
                in_comment = (in_comment or stripped.startswith("/*")) and "*/" not in line
                continue
            for m in TOKEN.finditer(line):
                tok = m.group()
                if tok in FLIPS:
                    yield path, number, m.start(), tok, FLIPS[tok]
                elif re.fullmatch(r"\d+|0[xX][0-9a-fA-F]+", tok):  # integer literals only
                    hexa = tok[:2] in ("0x", "0X")
                    value = int(tok, 16 if hexa else 10) + 1
                    yield path, number, m.start(), tok, hex(value) if hexa else str(value)

def passes():
    env = dict(os.environ, NB_MONKEY_CLICKS="300")
    cmd = ["xvfb-run", "-a", "ctest", "--test-dir", build, "-j2", "--stop-on-failure",
           "--timeout", "60", "-E", "crosscheck"]
    return subprocess.run(cmd, capture_output=True, env=env).returncode == 0

every = list(sites())
sample = random.Random(seed).sample(every, min(count, len(every)))
killed = compiled = 0
survivors = []
for i, (path, number, col, old, new) in enumerate(sample, 1):
    target = os.path.join(src, path)
    original = open(target, encoding="latin-1").read()
    lines = original.split("\n")
    line = lines[number - 1]
    lines[number - 1] = line[:col] + new + line[col + len(old):]
    open(target, "w", encoding="latin-1").write("\n".join(lines))
    built = subprocess.run(["cmake", "--build", build, "-j2"], capture_output=True).returncode == 0
    where = f"{path}:{number}: {line.strip()}  [{old} -> {new}]"
    if built:
        compiled += 1
        if passes():
            survivors.append(where)
            print(f"{i:3}/{len(sample)} SURVIVED {where}", flush=True)
        else:
            killed += 1
            print(f"{i:3}/{len(sample)} killed", flush=True)
    else:
        print(f"{i:3}/{len(sample)} does not compile", flush=True)
    open(target, "w", encoding="latin-1").write(original)
subprocess.run(["cmake", "--build", build, "-j2"], capture_output=True)
print(f"\n{len(every)} mutation sites, {len(sample)} sampled with seed {seed}, {compiled} compiled")
print("survivors:\n  " + "\n  ".join(survivors) if survivors else "no survivors")
print(f"mutation score: {killed}/{compiled} = {100.0 * killed / max(compiled, 1):.1f} %")
EOF
