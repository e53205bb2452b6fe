"""Walks the program as a new user would and takes the guide's pictures.

Run by scripts/screenshots.sh inside the GUI driver's headless session; the
first argument is the directory the pictures go into."""
import sys
import time

from drive import (check, click, close_window, combo_select, message_box_text, menu,
                   screenshot, set_text, wait_window)

OUT = sys.argv[1]
MAIN = 'Velmora 2002'


def shot(name, win):
    time.sleep(0.6)  # let the window finish painting
    screenshot(f'{OUT}/{name}.png', win=win)


def close_boxes():
    """Closes the notices of a start (no printer, reminders) with their default button."""
    for _ in range(4):
        try:
            message_box_text(close=True, timeout=5)
        except Exception:
            return


def screen(menu_path, title):
    menu(*menu_path)
    return wait_window(title)


close_boxes()
wait_window(MAIN)
shot('01-hlavni-okno', MAIN)

W = 'Vložení nové videokazety'
screen(('Videokazety ', 'Vložení nové videokazety'), W)
set_text('Film 1', 'Tenkrát na západě', win=W)
shot('02-nova-kazeta', W)
click('Neuložit a zrušit', win=W)
close_boxes()

W = 'Vyberte si, kterou kazetu chcete někomu zapůjčit ...'
screen(('Půjčování ', 'Zapůjčení videokazety'), W)
shot('04-pujceni', W)
close_window(W)
close_boxes()

W = 'Zobrazení zapůjčených videokazet ...'
screen(('Půjčování ', 'Zobrazit kazety mimo domov'), W)
shot('04b-mimo-domov', W)
close_window(W)
close_boxes()

W = 'Vyhledávání filmů podle nastavených parametrů ...'
screen(('Videokazety ', 'Vyhledání filmů podle kategorií'), W)
shot('05-hledani-filmu', W)
close_window(W)
close_boxes()

W = 'Tiskové sestavy z evidovaných dat ...'
screen(('Tisky ', 'Tisk celého seznamu videokazet'), W)
shot('06-tisk', W)
close_window(W)
close_boxes()

W = 'Nastavení tisku více etiket na VK najednou'
screen(('Tisky ', 'Tisk více videoetiket najednou'), W)
shot('06b-etikety', W)
close_window(W)
close_boxes()

W = 'Export vlasní databáze VK jinému uživateli ...'
screen(('Externí VK  ', 'Exportovat vlastní evidenci VK jinému uživateli'), W)
shot('07-export', W)
close_window(W)
close_boxes()

W = 'Zálohování VK dat na vybrané médium ...'
screen(('Systém ', 'Zálohování databází VK'), W)
shot('08-zaloha', W)
close_window(W)

W = 'Nastavení parametrů programu ...'
screen(('Systém ', 'Centrální nastavení programu'), W)
shot('09-nastaveni', W)
close_window(W)

W = 'Uživatelské nastavení žánrů a zdrojů nahrávek'
screen(('Systém ', 'Uživatelské nastavení VK'), W)
shot('09b-seznamy', W)
close_window(W)

click('Evidence hudebních CD', roles=('table cell',))
time.sleep(0.5)
W = 'Zobrazení hudebních titulů'
screen(('Hudební CD ', 'Zobrazení hudebních CD titulů'), W)
shot('03-hudebni-cd', W)
close_window(W)
close_boxes()

W = 'Vložení nového hudebního CD titulu ...'
screen(('Hudební CD ', 'Vložení nového hudebního CD disku'), W)
shot('03b-novy-cd', W)
close_window(W)
close_boxes()
print('pictures taken')
