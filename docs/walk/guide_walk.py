"""Walks the program as a new user would and takes the guide's pictures.

Run by scripts/screenshots.sh inside the GUI driver's headless session; the
first argument is the directory the pictures go into."""
import sys
import time

from drive import (click, close_window, message_box_text, menu, screenshot, set_text,
                   wait_window)

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

def picture(menu_path, title, name):
    """Opens a screen from the menu, takes its picture and closes it again."""
    screen(menu_path, title)
    shot(name, title)
    close_window(title)
    close_boxes()


for menu_path, title, name in (
        (('Půjčování ', 'Zapůjčení videokazety'),
         'Vyberte si, kterou kazetu chcete někomu zapůjčit ...', '04-pujceni'),
        (('Půjčování ', 'Zobrazit kazety mimo domov'),
         'Zobrazení zapůjčených videokazet ...', '04b-mimo-domov'),
        (('Videokazety ', 'Vyhledání filmů podle kategorií'),
         'Vyhledávání filmů podle nastavených parametrů ...', '05-hledani-filmu'),
        (('Tisky ', 'Tisk celého seznamu videokazet'),
         'Tiskové sestavy z evidovaných dat ...', '06-tisk'),
        (('Tisky ', 'Tisk více videoetiket najednou'),
         'Nastavení tisku více etiket na VK najednou', '06b-etikety'),
        (('Externí VK  ', 'Exportovat vlastní evidenci VK jinému uživateli'),
         'Export vlasní databáze VK jinému uživateli ...', '07-export'),
        (('Systém ', 'Zálohování databází VK'),
         'Zálohování VK dat na vybrané médium ...', '08-zaloha'),
        (('Systém ', 'Centrální nastavení programu'),
         'Nastavení parametrů programu ...', '09-nastaveni'),
        (('Systém ', 'Uživatelské nastavení VK'),
         'Uživatelské nastavení žánrů a zdrojů nahrávek', '09b-seznamy')):
    picture(menu_path, title, name)

click('Evidence hudebních CD', roles=('table cell',))
time.sleep(0.5)
picture(('Hudební CD ', 'Zobrazení hudebních CD titulů'), 'Zobrazení hudebních titulů',
        '03-hudebni-cd')
picture(('Hudební CD ', 'Vložení nového hudebního CD disku'),
        'Vložení nového hudebního CD titulu ...', '03b-novy-cd')
print('pictures taken')
