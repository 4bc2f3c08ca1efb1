"""The Debian package depends on every shared library the program opens at
run time (dlopen), which dpkg-shlibdeps cannot see: the names the program
holds as text, less those it is linked against, each found in the package
that owns it on this system."""

import argparse
import glob
import os
import re
import subprocess
import sys
import tempfile

SONAME = re.compile(rb"lib[A-Za-z0-9_+]+(?:-[0-9.]+)?\.so(?:\.[0-9]+)*")


def opened_at_run_time(program):
    with open(program, "rb") as f:
        named = {m.decode() for m in SONAME.findall(f.read())}
    dynamic = subprocess.run(["readelf", "-d", program], capture_output=True, text=True,
                             check=True).stdout
    linked = set(re.findall(r"Shared library: \[([^\]]+)\]", dynamic))
    return sorted(named - linked)


def owning_package(soname):
    """The package that owns the library, or None where none on this system does."""
    out = subprocess.run(["ldconfig", "-p"], capture_output=True, text=True).stdout
    for line in out.splitlines():
        if line.strip().startswith(soname + " ") and "=>" in line:
            path = line.split("=>", 1)[1].strip()
            for candidate in (path, "/usr" + path, path.replace("/usr/", "/", 1)):
                found = subprocess.run(["dpkg-query", "-S", candidate], capture_output=True,
                                       text=True)
                if found.returncode == 0:
                    return found.stdout.split(":", 1)[0]
    return None


def package_depends(build):
    with tempfile.TemporaryDirectory(prefix="tavro50-package-") as out:
        subprocess.run(["cpack", "-G", "DEB", "-B", out], cwd=build, check=True,
                       stdout=subprocess.DEVNULL)
        deb = glob.glob(os.path.join(out, "*.deb"))[0]
        depends = subprocess.run(["dpkg-deb", "-f", deb, "Depends"], capture_output=True,
                                 text=True, check=True).stdout
    return {entry.strip().split()[0] for alt in depends.split(",") for entry in alt.split("|")}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--program", required=True)
    args = parser.parse_args()
    opened = opened_at_run_time(args.program)
    depends = package_depends(args.build)
    print("opened at run time:", ", ".join(opened) or "none")
    print("package depends on:", ", ".join(sorted(depends)))
    missing = []
    for soname in opened:
        package = owning_package(soname)
        if package is None:
            missing.append("%s (no package on this system owns it)" % soname)
        elif package not in depends:
            missing.append("%s (package %s)" % (soname, package))
    for entry in missing:
        print("FAIL: the package does not depend on", entry)
    sys.exit(1 if missing else 0)


if __name__ == "__main__":
    main()
