"""Running a check of the source tree: prints each problem and a summary line."""
import pathlib
import sys


def run_check(problems, failed, passed):
    """problems(root) yields one text a problem; exit status 1 when there is any."""
    found = list(problems(pathlib.Path(sys.argv[1]).resolve()))
    for p in found:
        print(p)
    print(f"{len(found)} {failed}" if found else passed)
    sys.exit(1 if found else 0)
