#!/usr/bin/env bash
# zorvel-batch.exe under Wine as a console user meets it: exit statuses 0, 2 and 1, the
# results of the worked example, CRLF kept when the logbook has it (and not added when it
# has not), a Bulgarian message in UTF-8 bytes, -o replacing a table with nothing left
# beside it, a chart refused that would land on the logbook, and a station's run with its
# certificates, SYNOP groups and daily summary under Cyrillic names, a logbook and outputs
# held open by another program, and the console's code page given back. Run by ctest in the
# Windows build (tools/windows/test.sh sets up Wine).
# Usage: windows_program_check.sh <zorvel-batch.exe> <windows_hold_file.exe>
set -uo pipefail
program=$1
holder=$2
[[ -n ${WINEPREFIX:-} ]] || { echo "FAIL: run through tools/windows/test.sh" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fail=0
expect() { # what, expected, actual
    if [[ "$2" == "$3" ]]; then
        echo "ok: $1"
    else
        echo "FAIL: $1"
        echo "  expected: $(printf %q "$2")"
        echo "  actual:   $(printf %q "$3")"
        fail=1
    fi
}
run() { # arguments...; sets status, out, err
    wine "$program" "$@" >out.bin 2>err.bin
    status=$?
    out=$(od -An -c out.bin | tr -s ' \n' ' ')
    err=$(cat err.bin)
}

header='date,tdry,twet,p,F [g/m3],RH [%],Td [°C],E [hPa],е [hPa],грешка'
printf 'date,tdry,twet,p\n2024-05-01,20.5,18.3,981.1\n' >lf.csv
run lf.csv
expect "computed logbook exits 0" 0 "$status"
expect "results with LF line ends" \
    "$(printf '%s\n2024-05-01,20.5,18.3,981.1,14.3,81.0,17.1,24.2,19.6,\n' "$header" |
        od -An -c | tr -s ' \n' ' ')" "$out"

printf 'date,tdry,twet,p\r\n2024-05-01,20.5,18.3,981.1\r\n' >crlf.csv
run crlf.csv
expect "CRLF logbook keeps CRLF" \
    "$(printf '%s\r\n2024-05-01,20.5,18.3,981.1,14.3,81.0,17.1,24.2,19.6,\r\n' "$header" |
        od -An -c | tr -s ' \n' ' ')" "$out"

printf 'date,tdry,twet,p\n2024-05-02,20.5,25,981.1\n' >wrong.csv
run wrong.csv
expect "row with an error exits 2" 2 "$status"

run missing.csv
expect "missing logbook exits 1" 1 "$status"
expect "one Bulgarian line names it" \
    "zorvel-batch: missing.csv: не може да се отвори: няма такъв файл" "$err"

printf 'old table\n' >table.csv
run lf.csv -o table.csv
expect "-o exits 0" 0 "$status"
expect "-o replaced the table" "$(wine "$program" lf.csv 2>/dev/null)" "$(cat table.csv)"
expect "nothing left beside it" "crlf.csv err.bin lf.csv out.bin table.csv wrong.csv" \
    "$(LC_ALL=C ls | tr '\n' ' ' | sed 's/ $//')"
# Names as a Bulgarian user types them, whatever the system's ANSI code page.
# A run killed before it could clean up left its temporary file an hour ago; the next run
# removes it, and never its own (the clocks of a new file and of the run may differ by
# milliseconds, so a few runs are made).
cp lf.csv дневник.csv
touch -d '1 hour ago' .zorvel-batch-резултати.csv-abc123
for attempt in 1 2 3; do
    run дневник.csv -o резултати.csv
    expect "Cyrillic names in and out ($attempt)" "0 $(cat table.csv)" \
        "$status $(cat резултати.csv 2>/dev/null)"
done
expect "stale temporary removed" "" "$(ls -a | grep zorvel-batch)"
# A chart named like the logbook, or like a hard link to it, would replace it: refused.
ln дневник.csv връзка.csv
for chart in дневник.csv връзка.csv; do
    run дневник.csv -o резултати.csv --chart "$chart"
    expect "--chart $chart refused" "2 zorvel-batch: --chart $chart: това е самият входен \
файл, дневник.csv; нищо не е прочетено или записано" "$status $err"
    expect "the logbook kept" "$(cat lf.csv)" "$(cat дневник.csv)"
done
# A station's day: the dry bulb's certificate, SYNOP groups and the day's means; a summary
# that would replace the table is refused before anything is written.
printf 'thermometer,reading,correction\ndry,0,0.1\n' >поправки.csv
run дневник.csv -o резултати.csv --corrections поправки.csv --synop --summary day обобщение.csv
expect "station run exits 0" 0 "$status"
expect "corrected readings and groups" \
    "2024-05-01,20.5,18.3,981.1,20.60,18.30,14.2,80.2,17.1,24.3,19.5,10206,20171," \
    "$(sed -n 2p резултати.csv)"
expect "the day's means" "2024-05-01,1,1,20.6,19.5,80.2,14.2,17.1,80.2,2024-05-01" \
    "$(sed -n 2p обобщение.csv)"
cp резултати.csv table-before.csv
run дневник.csv -o резултати.csv --summary day резултати.csv
expect "--summary over the table refused" "2 zorvel-batch: --summary резултати.csv: това е и \
файлът на -o; нищо не е прочетено или записано" "$status $err"
expect "the table kept" "$(cat table-before.csv)" "$(cat резултати.csv)"
# A Bulgarian Excel's logbook, saved as Windows-1251, comes back in Windows-1251; the
# console still gets UTF-8.
printf '\xe4\xe0\xf2\xe0,tdry,twet,p\r\n2024-05-01,20.5,18.3,981.1\r\n' >excel.csv
run excel.csv -o excel-results.csv
excel_header='\xe4\xe0\xf2\xe0,tdry,twet,p,F [g/m3],RH [%%],Td [\xb0C],E [hPa],\xe5 [hPa]'
excel_row='2024-05-01,20.5,18.3,981.1,14.3,81.0,17.1,24.2,19.6,'
expect "Windows-1251 in, Windows-1251 out" \
    "$(printf "$excel_header,\\xe3\\xf0\\xe5\\xf8\\xea\\xe0\\r\\n$excel_row\\r\\n" | od -An -c | tr -s ' \n' ' ')" \
    "$(od -An -c excel-results.csv | tr -s ' \n' ' ')"
run excel.csv
expect "standard output in UTF-8" "дата,tdry,twet,p,F" "$(head -c 22 out.bin)"
# Files another program holds open, as a spreadsheet does (sharing them for reading only)
# or a stricter program (not at all): named as such, nothing replaced, nothing left beside.
hold() { # file read|none
    wine "$holder" "$1" "$2" held.marker &
    holder_pid=$!
    for _ in $(seq 200); do [[ -e held.marker ]] && break; sleep 0.05; done
}
release() {
    rm -f held.marker
    wait "$holder_pid"
}
in_use=файлът\ е\ отворен\ в\ друга\ програма
cp резултати.csv table-before.csv
hold резултати.csv read
run дневник.csv -o резултати.csv
release
expect "held -o target" "1 zorvel-batch: резултати.csv: не може да се запише: $in_use" "$status $err"
expect "held table kept" "$(cat table-before.csv)" "$(cat резултати.csv)"
hold дневник.csv none
run дневник.csv --lang en
release
expect "held logbook" "1 zorvel-batch: дневник.csv: cannot open: the file is open in another \
program" "$status $err"
printf 'an old chart\n' >диаграма.svg
hold диаграма.svg none
run дневник.csv -o резултати.csv --chart диаграма.svg
release
expect "held chart" "1 zorvel-batch: диаграма.svg: не може да се запише: $in_use" "$status $err"
expect "held chart kept" "an old chart" "$(cat диаграма.svg)"
expect "nothing of ours beside them" "" "$(ls -a | grep zorvel-batch)"
exit $fail
