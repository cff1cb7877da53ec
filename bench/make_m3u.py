#!/usr/bin/env python3
"""Write a large extended M3U playlist in the shape of the public IPTV lists.

Every entry is an #EXTINF line with duration -1, tvg-id, tvg-name, tvg-logo, tvg-country,
tvg-language and group-title attributes and a title, then the stream address; one entry in
fifty has a second #EXTGRP line, one in a hundred an address with a refused scheme, and one in
forty repeats an earlier address of its group. About 40 groups, some of them non-Latin.
Deterministic for a given seed; only the Python standard library is needed.

  python3 make_m3u.py -n 100000 -o big.m3u
"""
import argparse
import random
import sys

GROUPS = ["News", "Sports", "Movies", "Music", "Kids", "Documentary", "Entertainment",
          "General", "Religious", "Shop", "Weather", "Business", "Culture", "Education",
          "Lifestyle", "Travel", "Cooking", "Series", "Classic", "Comedy", "Animation",
          "Outdoor", "Science", "Auto", "Legislative", "Regional", "Radio", "Undefined",
          "Новости", "Спорт", "音楽", "ニュース", "أخبار", "Ταινίες", "Müzik", "Noticias",
          "Música", "Actualités", "Nachrichten", "Films"]
COUNTRIES = ["US", "GB", "DE", "FR", "ES", "IT", "RU", "JP", "TR", "GR", "BR", "IN", "EG", "PL"]
LANGUAGES = ["English", "German", "French", "Spanish", "Italian", "Russian", "Japanese",
             "Turkish", "Greek", "Portuguese", "Hindi", "Arabic", "Polish"]
WORDS = ["TV", "One", "Plus", "News", "Channel", "Live", "Kanal", "Télé", "Radio", "Sport",
         "Cinema", "Max", "Family", "World", "Life", "Star", "Music", "Zone", "Prime", "Info",
         "Первый", "Мир", "テレビ", "قناة", "Κανάλι", "Haber", "Café", "Ñandú"]


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("-n", type=int, default=100000, help="entries (default 100000)")
    ap.add_argument("-o", default="-", help="output file (default: standard output)")
    ap.add_argument("-s", type=int, default=7, help="seed")
    args = ap.parse_args()
    rnd = random.Random(args.s)
    out = sys.stdout if args.o == "-" else open(args.o, "w", encoding="utf-8", newline="\n")
    out.write('#EXTM3U x-tvg-url="http://127.0.0.1/epg.xml.gz"\n')
    seen = {}
    for i in range(args.n):
        group = GROUPS[min(int(rnd.paretovariate(1.2)) - 1, len(GROUPS) - 1)
                       if rnd.random() < 0.5 else rnd.randrange(len(GROUPS))]
        name = " ".join(rnd.choice(WORDS) for _ in range(rnd.randint(1, 3)))
        name = "%s %d" % (name, i) if rnd.random() < 0.7 else name
        if rnd.random() < 0.2:
            name += rnd.choice([" HD", " FHD", " (720p)", " (1080p) [Geo-blocked]", " +1"])
        country = rnd.choice(COUNTRIES)
        tvg = "%s.%s" % ("".join(c for c in name if c.isalnum())[:20] or "ch%d" % i,
                         country.lower())
        r = rnd.random()
        if r < 0.01:
            url = rnd.choice(["file:///etc/passwd", "javascript:alert(1)", "data:,x"])
        elif r < 0.035 and seen.get(group):
            url = rnd.choice(seen[group])
        else:
            host = rnd.choice(["live", "stream", "cdn%d" % rnd.randint(1, 9), "tv", "hls"])
            url = "%s://%s.example%d.net/%s/%d/index.m3u8" % (
                rnd.choice(["http", "https", "https", "rtmp", "udp"]), host,
                rnd.randint(1, 999), rnd.choice(["live", "hls", "ch"]), i)
            seen.setdefault(group, []).append(url)
            if len(seen[group]) > 50:
                seen[group].pop(0)
        out.write('#EXTINF:-1 tvg-id="%s" tvg-name="%s" tvg-logo="https://i.imgur.example/%d.png" '
                  'tvg-country="%s" tvg-language="%s" group-title="%s",%s\n'
                  % (tvg, name, i, country, rnd.choice(LANGUAGES), group, name))
        if rnd.random() < 0.02:
            out.write("#EXTGRP:%s\n" % rnd.choice(GROUPS))
        out.write(url + "\n")
    if out is not sys.stdout:
        out.close()


if __name__ == "__main__":
    main()
