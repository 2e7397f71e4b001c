#!/bin/sh
# Runs a test in a mount namespace of its own, so that what it mounts is seen by nothing else on the
# machine. Where none can be made (no privilege, or a chroot, whose root is no mount point to make
# private) the test runs without one and skips its cases that mount.
if unshare --mount --propagation private true 2>/dev/null; then
  VISTREL_PRIVATE_MOUNTS=1 exec unshare --mount --propagation private "$@"
fi
echo "no mount namespace of its own can be made here: the cases that mount are skipped" >&2
exec "$@"
