# The stopping calculation from the skid length as a plain script makes it, line by line, with
# the same columns as `kvarnet-calc stopping --batch`: the yardstick of bench/batch-vs-awk.sh.
# It computes in binary doubles and rounds once, where the program rounds its steps exactly, so
# a result on a rounding tie may differ in its last digit.
BEGIN { FS = ";"; OFS = ";" }
function number(text) { sub(",", ".", text); return text + 0 }
function shown(value,  text) {
    text = sprintf("%.1f", value)
    sub(/\.0$/, "", text)
    sub(/\./, ",", text)
    return text
}
NR == 1 { print "line", $0, "speed_or_skid", "speed_ms", "distance", "time", "error"; next }
$0 == "" { next }
{
    t1 = number($1); t2 = number($2); t3 = number($3); j = number($4); skid = number($5)
    ms = j * t3 / 2 + sqrt(2 * skid * j)
    kmh = ms * 3.6
    distance = kmh * kmh / (26 * j) + kmh / 3.6 * (t1 + t2 + t3 / 2)
    print NR, $0, shown(kmh), shown(ms), shown(distance), shown(kmh / 3.6 / j - t3 / 2), ""
}
