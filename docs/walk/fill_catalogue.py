"""Fills a freshly prepared data directory with a small household catalogue
for the guide's pictures: cassettes with recordings, one lent and overdue,
CD titles with their discs and tracks, and a few archived loans.

Written by another dBASE writer (python dbf), as other tools would."""
import datetime
import sys

import dbf

data = sys.argv[1]
today = datetime.date.today()


def ds(d):
    return d.strftime('%d.%m.%Y')


cassettes = [
    ('E 180', '00001', [('Pelíšky', 'Komedie', 115), ('Kolja', 'Drama', 60)],
     (True, 'Marie', ds(today - datetime.timedelta(days=20)), 7)),
    ('E 240', '00002', [('Vesničko má středisková', 'Komedie', 98), ('Obecná škola', 'Drama', 100),
                        ('Černí baroni', 'Komedie', 40)], (False, '', '', 0)),
    ('E 180', '00003', [('Limonádový Joe', 'Western', 95), ('Marečku, podejte mi pero!', 'Komedie', 80)],
     (False, '', '', 0)),
    ('E 195', '00004', [('Tři oříšky pro Popelku', 'Pohádka', 86), ('Pyšná princezna', 'Pohádka', 90)],
     (True, 'Petr', ds(today - datetime.timedelta(days=3)), 14)),
    ('E 240', '00005', [('Ať žijí duchové!', 'Dětský', 82)], (False, '', '', 0)),
]
t = dbf.Table(f'{data}/data.dbf')
t.open(dbf.READ_WRITE)
for typ, num, films, loan in cassettes:
    rec = {'t_kazety': typ, 'cislo': num, 'pujceno': loan[0], 'komu': loan[1], 'od_kdy': loan[2],
           'delka_pujc': loan[3], 'pozn': 'Rodinná sbírka'}
    start = 0
    for i, (film, genre, length) in enumerate(films, 1):
        rec.update({f'film{i}': film, f'zanr{i}': genre, f'ry{i}': 'SP', f'cas{i}': length,
                    f's_time{i}': start, f'e_time{i}': start + length, f'zdroj{i}': 'Televize ČT1'})
        start += length
    t.append(rec)
t.close()

a = dbf.Table(f'{data}/archiv.dbf')
a.open(dbf.READ_WRITE)
for num, who, since, back in (('00002', 'Petr', '01.03.2026', '08.03.2026'),
                              ('00003', 'Marie', '02.04.2026', '05.04.2026'),
                              ('00002', 'Marie', '10.05.2026', '20.05.2026')):
    a.append({'t_kazety': 'E 180', 'cislo': num, 'komu': who, 'od_kdy': since,
              'pozn': f'Vrácení: {back}'})
a.close()

c = dbf.Table(f'{data}/cd01.dbf')
c.open(dbf.READ_WRITE)
c.append({'t_cd': '700', 'cislocd': '00001', 'titulcd': 'Kytice', 'artist': 'Žlutý pes',
          'porizeno': '12.06.2001', 'format': 'Originální CD', 'pujceno': True, 'komu': 'Marie',
          'od_kdy': ds(today - datetime.timedelta(days=30)), 'delka_pujc': 14, 'pozncd': 'dárek'})
c.append({'t_cd': '650', 'cislocd': '00002', 'titulcd': 'Největší hity', 'artist': 'Olympic',
          'porizeno': '24.12.2001', 'format': 'Originální CD', 'pujceno': False, 'pozncd': '2 disky'})
c.close()

k = dbf.Table(f'{data}/cd02.dbf')
k.open(dbf.READ_WRITE)
for disc, names in (('CD1', ['Želva', 'Jasná zpráva', 'Dynamit']),
                    ('CD2', ['Okno mé lásky', 'Snadné je žít'])):
    for i, n in enumerate(names, 1):
        k.append({'cislocd': '00002', 'oznaceni': disc, 'tracknum': i, 'track': n,
                  'lenght': 200 + 7 * i, 'styl': 'Pop', 'artist': 'Olympic'})
k.append({'cislocd': '00001', 'oznaceni': 'CD1', 'tracknum': 1, 'track': 'Kytice', 'lenght': 240,
          'styl': 'Pop', 'artist': 'Žlutý pes'})
k.close()
