# Turns the lines of varlo_bench_wine.exe into Markdown: a table a section
# (in the order the sections first come), the notes, and for each target
# missed the paragraph kept in MISSED_DIR/KEY.md, or for its kind in
# MISSED_DIR/KIND.md (KIND is what comes before the key's first dot).
#   awk -f report.awk -v missed_dir=DIR bench.log
BEGIN { FS = "\t" }

$1 == "row" {
    key[++rows] = $2
    if (!($3 in seen)) {
        seen[$3] = 1
        order[++sections] = $3
    }
    section[rows] = $3
    line[rows] = "| " $4 " | " $5 " | " $6 " | " $7 " | " $8 " | " ($9 == "-" ? "-" : $9 == "met" ? "met" : "**missed**") " |"
    if ($9 == "missed") missed[++misses] = rows
    next
}

$1 == "note" { note[++notes] = $2 }

END {
    for (s = 1; s <= sections; s++) {
        print "### " order[s]
        print ""
        print "| measure | measured | floor / reference | ratio | target | result |"
        print "|---|---|---|---|---|---|"
        for (r = 1; r <= rows; r++)
            if (section[r] == order[s]) print line[r]
        print ""
    }
    if (notes > 0) {
        print "Notes of this run:"
        print ""
        for (n = 1; n <= notes; n++) print "- " note[n]
        print ""
    }
    if (rows == 0) {
        print "No figures came from the Wine benchmarks."
        print ""
    }
    print "### Targets missed"
    print ""
    if (misses == 0) print "None in this run."
    for (m = 1; m <= misses; m++) {
        k = key[missed[m]]
        file = missed_dir "/" k ".md"
        text = ""
        while ((getline part < file) > 0) text = text part "\n"
        close(file)
        if (text == "") {
            # A paragraph for the whole kind of measure ("timing" of "timing.slide").
            file = missed_dir "/" substr(k, 1, index(k, ".") - 1) ".md"
            while ((getline part < file) > 0) text = text part "\n"
            close(file)
        }
        if (text == "") text = "`" k "`: no explanation has been written for this target yet.\n"
        printf "%s\n", text
    }
}
