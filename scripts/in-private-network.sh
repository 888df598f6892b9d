#!/bin/sh
# Runs a command in a private network namespace with only loopback up, so that
# whatever it sends to an address off this machine cannot leave it. Tests of
# searches at entered addresses run this way. Where no namespace can be made,
# says why and exits 77, which CTest takes as a skip.
if ! unshare -n true 2>/dev/null; then
  echo "SKIP: a private network namespace cannot be made here (unshare -n is not permitted)"
  exit 77
fi
exec unshare -n sh -c 'ip link set lo up || exit 1; LUMIVOX_PRIVATE_NETWORK=1 exec "$@"' sh "$@"
