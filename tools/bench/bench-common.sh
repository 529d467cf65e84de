# What both benchmarks share; sourced, with BUILD, RUNS, WORK and the sizes
# ACCOUNTS, GROUPS, MEMBERS, TSIS set.

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Makes the installation in folder $1 with the generator's further options
# $2, once per size and generator build: the same options give the same bytes.
make_installation() {
  stamp="$ACCOUNTS-$GROUPS-$MEMBERS-$TSIS $(sha1sum "$BUILD/bin/kexporter-demo" | cut -d' ' -f1)"
  if [ "$(cat "$1/.made" 2>/dev/null)" != "$stamp" ]; then
    echo "Making the installation in $1 ..."
    rm -rf "$1"
    "$BUILD/bin/kexporter-demo" --dir "$1" --accounts "$ACCOUNTS" --groups "$GROUPS" \
      --members "$MEMBERS" --tsis "$TSIS" $2 >/dev/null
    echo "$stamp" >"$1/.made"
  fi
}

# Runs the shell functions $1 and $2, each printing one result line, RUNS
# times each, alternating who goes first so that neither always meets the
# other's leftovers in the page cache. Their lines go to $WORK/$1.times and
# $WORK/$2.times, and each round to print_round N LINE-OF-$1 LINE-OF-$2.
alternate() {
  : >"$WORK/$1.times"
  : >"$WORK/$2.times"
  i=1
  while [ "$i" -le "$RUNS" ]; do
    if [ $((i % 2)) = 1 ]; then
      a=$($1); b=$($2)
    else
      b=$($2); a=$($1)
    fi
    echo "$a" >>"$WORK/$1.times"
    echo "$b" >>"$WORK/$2.times"
    print_round "$i" "$a" "$b"
    i=$((i + 1))
  done
}
